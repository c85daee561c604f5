#include "JPEGTestImages.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "gui/Stream.h"
#include "pictures/jpeg/JPEGEncoder.h"
#include "pictures/jpeg/JPEGLib.h"

namespace {

template <class Pixel>
std::vector<std::uint8_t> Make(int width, int height, const TJPEGEncodeSettings& settings, Pixel pixel) {
  std::vector<std::uint8_t> row(std::size_t(width) * 3);
  TMemoryStream out;
  EncodeJPEG(
      width, height,
      [&](int y) {
        for (int x = 0; x < width; ++x) {
          const TJPEGColor c = pixel(x, y);
          row[std::size_t(x) * 3] = c.Blue;
          row[std::size_t(x) * 3 + 1] = c.Green;
          row[std::size_t(x) * 3 + 2] = c.Red;
        }
        return row.data();
      },
      settings, out);
  return out.Bytes();
}

}  // namespace

TJPEGColor QuadrantColor(int x, int y, int width, int height) {
  const bool right = x >= width / 2;
  const bool bottom = y >= height / 2;
  if (!bottom) return right ? TJPEGColor{0, 255, 0} : TJPEGColor{255, 0, 0};
  return right ? TJPEGColor{255, 255, 255} : TJPEGColor{0, 0, 255};
}

std::vector<std::uint8_t> QuadrantJPEG(int width, int height, const TJPEGEncodeSettings& settings) {
  return Make(width, height, settings, [&](int x, int y) { return QuadrantColor(x, y, width, height); });
}

std::vector<std::uint8_t> RampJPEG(int width, int height, const TJPEGEncodeSettings& settings) {
  return Make(width, height, settings, [&](int x, int y) {
    return TJPEGColor{std::uint8_t(x * 255 / std::max(1, width - 1)), std::uint8_t(y * 255 / std::max(1, height - 1)),
                      std::uint8_t((x + y) * 127 / std::max(1, width + height - 2))};
  });
}

bool Near(const TJPEGColor& a, const TJPEGColor& b, int tolerance) {
  return std::abs(a.Red - b.Red) <= tolerance && std::abs(a.Green - b.Green) <= tolerance &&
         std::abs(a.Blue - b.Blue) <= tolerance;
}

namespace {
// Ink amounts (0 = none) of each quadrant: cyan, magenta, yellow, black.
std::array<std::uint8_t, 4> Ink(int x, int y, int width, int height) {
  const bool right = x >= width / 2, bottom = y >= height / 2;
  if (!bottom) return right ? std::array<std::uint8_t, 4>{0, 255, 0, 0} : std::array<std::uint8_t, 4>{255, 0, 0, 0};
  return right ? std::array<std::uint8_t, 4>{0, 0, 0, 255} : std::array<std::uint8_t, 4>{0, 0, 255, 0};
}
}  // namespace

TJPEGColor InkColor(int x, int y, int width, int height) {
  const auto ink = Ink(x, y, width, height);
  const auto show = [&](int i) { return std::uint8_t((255 - ink[std::size_t(i)]) * (255 - ink[3]) / 255); };
  return TJPEGColor{show(0), show(1), show(2)};
}

std::vector<std::uint8_t> InkJPEG(int width, int height, bool ycck, bool adobe) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = InstallJPEGErrorManager(error);
  jpeg_create_compress(&cinfo);
  TMemoryStream out;
  AttachJPEGStreamDestination(&cinfo, out);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, ycck ? JCS_YCCK : JCS_CMYK);
  jpeg_set_quality(&cinfo, 95, TRUE);
  cinfo.write_Adobe_marker = adobe ? TRUE : FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<std::uint8_t> row(std::size_t(width) * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      for (int i = 0; i < 4; ++i) {
        const std::uint8_t ink = Ink(x, y, width, height)[std::size_t(i)];
        row[std::size_t(x) * 4 + std::size_t(i)] = adobe ? std::uint8_t(255 - ink) : ink;
      }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return out.Bytes();
}
