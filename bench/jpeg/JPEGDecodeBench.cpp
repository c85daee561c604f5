// How long the picture's decoder takes on a 24-megapixel photo, at full size
// and at the 1/8 scale the Add dialog's preview uses, each next to a bare
// libjpeg decode (BareDecode) of the same data in the same process. Absolute
// times are noise on shared machines; the ratios are the figures.
//
// Usage: jpeg_decode_bench [width height [repeats]]
#include <cstdio>
#include <cstdlib>

#include "JPEGBenchKit.h"
#include "pictures/jpeg/JPEGDecoder.h"
#include "pictures/jpeg/JPEGPreviewScale.h"
#include "pictures/jpeg/JPEGRaster.h"

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
    const auto [ours, plain] = BestMillisecondsOfBoth(
        repeats,
        [&] {
          TJPEGRaster raster;
          TJPEGDecoder decoder(file.data(), file.size(), settings);
          decoder.Decode(raster);
          outWidth = raster.Width();
          outHeight = raster.Height();
        },
        [&] { BareDecode(file, 1u << s); });
    std::printf("scale 1/%d: %5d x %-5d  picture decoder %8.1f ms   plain libjpeg %8.1f ms   ratio %.2f\n", 1 << s,
                outWidth, outHeight, ours, plain, ours / plain);
  }
  // What the preview of a 200 x 150 box would choose.
  TJPEGDecodeSettings preview;
  preview.Scale = PreviewScale(width, height, 200, 150);
  int smallWidth = 0, smallHeight = 0;
  const auto [previewTime, fullTime] = BestMillisecondsOfBoth(
      repeats,
      [&] {
        TJPEGRaster small;
        TJPEGDecoder decoder(file.data(), file.size(), preview);
        decoder.Decode(small);
        smallWidth = small.Width();
        smallHeight = small.Height();
      },
      [&] {
        TJPEGRaster full;
        TJPEGDecoder decoder(file.data(), file.size(), {});
        decoder.Decode(full);
      });
  std::printf("preview for a 200 x 150 box: scale 1/%d, %d x %d, %.1f ms, %.1f times faster than full size\n",
              1 << int(preview.Scale), smallWidth, smallHeight, previewTime, fullTime / previewTime);
  return 0;
}
