// How long the picture's decoder takes on a 24-megapixel photo, at full size
// and at the 1/8 scale the Add dialog's preview uses, each next to a plain
// libjpeg decode loop (libjpeg's own memory source, one row buffer) run on
// the same data in the same process. Absolute times are noise on shared
// machines; the ratios are the figures.
//
// Usage: jpeg_decode_bench [width height [repeats]]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "gui/Stream.h"
#include "pictures/jpeg/JPEGDecoder.h"
#include "pictures/jpeg/JPEGEncoder.h"
#include "pictures/jpeg/JPEGLib.h"
#include "pictures/jpeg/JPEGPreviewScale.h"
#include "pictures/jpeg/JPEGRaster.h"

namespace {

// Photo-like content: smooth gradients with fine noise, so the file has the
// entropy of a real photograph rather than of flat colour.
std::vector<std::uint8_t> MakePhoto(int width, int height) {
  std::vector<std::uint8_t> row(std::size_t(width) * 3);
  std::uint32_t seed = 12345;
  TMemoryStream out;
  EncodeJPEG(
      width, height,
      [&](int y) {
        for (int x = 0; x < width; ++x) {
          seed = seed * 1664525u + 1013904223u;
          const int noise = int(seed >> 28) - 8;
          row[std::size_t(x) * 3] = std::uint8_t(std::clamp(x * 255 / width + noise, 0, 255));
          row[std::size_t(x) * 3 + 1] = std::uint8_t(std::clamp(y * 255 / height + noise, 0, 255));
          row[std::size_t(x) * 3 + 2] = std::uint8_t(std::clamp(((x ^ y) & 255) / 2 + 64 + noise, 0, 255));
        }
        return row.data();
      },
      {90, false, false}, out);
  return out.Bytes();
}

// The reference: the textbook libjpeg loop, BGR output, rows into one buffer.
void PlainDecode(const std::vector<std::uint8_t>& file, unsigned denom, std::vector<std::uint8_t>& pixels) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.scale_num = 1;
  cinfo.scale_denom = denom;
  cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  const std::size_t stride = (std::size_t(cinfo.output_width) * 3 + 3) & ~std::size_t(3);
  pixels.resize(stride * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels.data() + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
}

double BestMilliseconds(int repeats, const std::function<void()>& run) {
  double best = 1e30;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int width = argc > 2 ? std::atoi(argv[1]) : 6000;
  const int height = argc > 2 ? std::atoi(argv[2]) : 4000;
  const int repeats = argc > 3 ? std::atoi(argv[3]) : 3;
  const auto file = MakePhoto(width, height);
  std::printf("photo %d x %d (%.1f megapixels), %zu bytes, best of %d\n", width, height, width * double(height) / 1e6,
              file.size(), repeats);

  for (int s = 0; s <= 3; s += 3) {
    TJPEGDecodeSettings settings;
    settings.Scale = static_cast<TJPEGScale>(s);
    // Each run decodes into fresh memory, as a picture does into a new bitmap.
    int outWidth = 0, outHeight = 0;
    const double ours = BestMilliseconds(repeats, [&] {
      TJPEGRaster raster;
      TJPEGDecoder decoder(file.data(), file.size(), settings);
      decoder.Decode(raster);
      outWidth = raster.Width();
      outHeight = raster.Height();
    });
    const double plain = BestMilliseconds(repeats, [&] {
      std::vector<std::uint8_t> pixels;
      PlainDecode(file, 1u << s, pixels);
    });
    std::printf("scale 1/%d: %5d x %-5d  picture decoder %8.1f ms   plain libjpeg %8.1f ms   ratio %.2f\n", 1 << s,
                outWidth, outHeight, ours, plain, ours / plain);
  }
  TJPEGDecodeSettings fullSettings;
  const double fullTime = BestMilliseconds(repeats, [&] {
    TJPEGRaster full;
    TJPEGDecoder decoder(file.data(), file.size(), fullSettings);
    decoder.Decode(full);
  });
  // What the preview of a 200 x 150 box would choose.
  TJPEGDecodeSettings preview;
  preview.Scale = PreviewScale(width, height, 200, 150);
  int smallWidth = 0, smallHeight = 0;
  const double previewTime = BestMilliseconds(repeats, [&] {
    TJPEGRaster small;
    TJPEGDecoder decoder(file.data(), file.size(), preview);
    decoder.Decode(small);
    smallWidth = small.Width();
    smallHeight = small.Height();
  });
  std::printf("preview for a 200 x 150 box: scale 1/%d, %d x %d, %.1f ms, %.1f times faster than full size\n",
              1 << int(preview.Scale), smallWidth, smallHeight, previewTime, fullTime / previewTime);
  return 0;
}
