// Decodes arbitrary image data with the reader and with the value-by-value
// decoder of the tests, and stops at the first difference. Input: width,
// height, flags (bit 0 interlaced, bit 1 transparent fill), then the data
// from the minimum code size on.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "pictures/gif/GIFImage.h"
#include "support/GifWriter.h"
#include "support/LiteralLzw.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int width = 1 + data[0] % 64;
  const int height = 1 + data[1] % 64;
  const bool interlaced = data[2] & 1;
  const int fill = data[2] & 2 ? data[2] >> 2 : -1;
  const giftest::Bytes tail(data + 3, data + size);

  giftest::GifBuilder gif;
  gif.Header(width, height, 256);
  if (fill >= 0) gif.GraphicControl(0, 0, fill);
  giftest::FrameOptions options;
  options.interlaced = interlaced;
  gif.ImageData(width, height, tail, options);

  const giftest::LiteralResult expected =
      giftest::LiteralDecode(tail, width, height, interlaced, std::uint8_t(fill >= 0 ? fill : 0));
  TGIFImage image;
  std::string error;
  TBufferStream stream(gif.Data().data(), gif.Data().size());
  try {
    image.LoadFromStream(stream);
  } catch (const GIFException& e) {
    error = e.what();
  }
  if (!expected.error.empty()) {
    if (error != expected.error) {
      std::fprintf(stderr, "error \"%s\", expected \"%s\"\n", error.c_str(), expected.error.c_str());
      std::abort();
    }
    return 0;
  }
  if (image.Images().Count() < 1) {
    std::fprintf(stderr, "no frame (%s)\n", error.c_str());
    std::abort();
  }
  const TGIFSubImage& frame = image.Images()[0];
  if (frame.DataSize() != expected.pixels.size() ||
      !std::equal(expected.pixels.begin(), expected.pixels.end(), frame.Data())) {
    std::fprintf(stderr, "pixels differ\n");
    std::abort();
  }
  return 0;
}
