#include "JPEGTestImages.h"

#include <algorithm>
#include <cstdlib>

#include "gui/Stream.h"
#include "pictures/jpeg/JPEGEncoder.h"

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
