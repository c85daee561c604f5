// The picture's decode of real photographs against a bare libjpeg-turbo
// decode of the same bytes into a buffer of the same size and pixel format,
// in the same process (the photos come from scripts/deps/photos):
//  - full size: the bare decode's speed over ours (1 means as fast, higher
//    is better);
//  - the preview of the Add dialog's 192 x 192 box (the scale it chooses,
//    1/8 for wallpapers): our time over the bare decode's at that scale
//    (lower is better).
// Both start from the bytes in memory: the picture is loaded before the
// clock runs (what loading costs, copying the file into the picture, is
// printed beside each photo).
// On a shared machine a busy moment can double one run, so the two decodes
// run in turns and each photo's figure is the ratio of their shortest runs
// (what each costs undisturbed); the summary is the geometric mean over the
// photos, each photo weighing alike.
//
// Usage: jpeg_photo_bench <folder of .jpg files> [repeats]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "JPEGBenchKit.h"
#include "JPEGPhotoDecode.h"

namespace {

constexpr int PreviewBox = 192;

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: jpeg_photo_bench <folder of .jpg files> [repeats]\n");
    return 2;
  }
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
  std::vector<std::filesystem::path> photos;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1], error))
    if (entry.path().extension() == ".jpg") photos.push_back(entry.path());
  std::sort(photos.begin(), photos.end());
  if (photos.empty()) {
    std::printf("no photos in %s\n", argv[1]);
    return 3;
  }

  double fullLog = 0, previewLog = 0;
  unsigned denom = 1;
  for (const auto& path : photos) {
    const auto file = ReadFile(path);
    const TBareDecode probe = BareDecode(file);
    TOursPhoto ours(file);
    ours.DecodeFull();  // the first run pays for code and tables
    const auto [full, fullBare] = BestMillisecondsOfBoth(
        repeats, [&] { ours.DecodeFull(); }, [&] { BareDecode(file); });
    const unsigned scale = ours.DecodePreview(PreviewBox, PreviewBox);
    const auto [preview, previewBare] = BestMillisecondsOfBoth(
        repeats, [&] { ours.DecodePreview(PreviewBox, PreviewBox); }, [&] { BareDecode(file, scale); });
    const double load = BestMilliseconds(repeats, [&] { TOursPhoto::Load(file); });
    std::printf(
        "%-20s %4d x %-4d %7zu bytes  full: ours %6.1f ms, bare %6.1f ms  preview 1/%u: ours %5.1f ms, bare %5.1f ms"
        "  (load %.1f ms)\n",
        path.filename().string().c_str(), probe.Width, probe.Height, file.size(), full, fullBare, scale, preview,
        previewBare, load);
    fullLog += std::log(full / fullBare);
    previewLog += std::log(preview / previewBare);
    denom = std::max(denom, scale);
  }
  const double n = double(photos.size());
  std::printf("full decode, bare/ours speed: %.3f\n", 1 / std::exp(fullLog / n));
  std::printf("preview decode at 1/%u, ours/bare time: %.3f\n", denom, std::exp(previewLog / n));
  return 0;
}
