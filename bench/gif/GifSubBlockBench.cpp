// The GIF reader on one picture stored twice: its image data cut into the
// usual 255-byte sub-blocks, and into one-byte sub-blocks (a file twice as
// large, with a size byte before every data byte). Both are loaded from
// files, as the picture system loads them, best of N runs each; the line
// printed last gives the time ratio. Built natively and for Windows, where
// scripts/bench runs it under Wine.
//
// Usage: gif_subblock_bench [width height [repeats]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pictures/gif/GIFImage.h"
#include "support/GifWriter.h"

namespace {

std::string TempName(const char* name) {
  const char* dir = std::getenv("TEMP");
  if (!dir) dir = std::getenv("TMPDIR");
  if (!dir) dir = "/tmp";
  return std::string(dir) + "/" + name;
}

void Write(const std::string& path, const giftest::Bytes& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
  std::fclose(file);
}

giftest::Bytes Picture(int width, int height, const std::vector<std::uint8_t>& pixels, int blockSize) {
  giftest::FrameOptions options;
  options.blockSizes = {blockSize};
  giftest::GifBuilder gif;
  gif.Header(width, height, 256).Image(width, height, pixels, options).Trailer();
  return gif.Data();
}

// The best time of repeats loads of the file, in milliseconds.
double BestLoad(const std::string& path, int repeats, std::size_t pixels) {
  double best = 1e30;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    TGIFImage image;
    {
      TFileStream stream(Utf8ToWide(path), TFileMode::OpenRead);
      image.LoadFromStream(stream);
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (image.Images().Count() != 1 || image.Images()[0].DataSize() != pixels) {
      std::fprintf(stderr, "%s did not load whole\n", path.c_str());
      std::exit(1);
    }
    if (ms < best) best = ms;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int width = argc > 2 ? std::atoi(argv[1]) : 2000;
  const int height = argc > 2 ? std::atoi(argv[2]) : 1500;
  const int repeats = argc > 3 ? std::atoi(argv[3]) : 5;
  const auto pixels = giftest::NoisyPixels(width, height, 256, 7);
  const std::string usual = TempName("dv-bench-255.gif"), tiny = TempName("dv-bench-1.gif");
  const giftest::Bytes usualFile = Picture(width, height, pixels, 255), tinyFile = Picture(width, height, pixels, 1);
  Write(usual, usualFile);
  Write(tiny, tinyFile);
  const double usualMs = BestLoad(usual, repeats, pixels.size());
  const double tinyMs = BestLoad(tiny, repeats, pixels.size());
  std::remove(usual.c_str());
  std::remove(tiny.c_str());
  std::printf(
      "picture %d x %d, best of %d: 255-byte sub-blocks %zu bytes %.1f ms, one-byte sub-blocks %zu bytes %.1f ms\n",
      width, height, repeats, usualFile.size(), usualMs, tinyFile.size(), tinyMs);
  std::printf("one-byte vs 255-byte sub-blocks (time ratio): %.2f\n", tinyMs / usualMs);
  return 0;
}
