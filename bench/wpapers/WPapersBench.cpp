// Times LoadWallpaperList + SaveWallpaperList of a 100,000-entry list file
// against reading the same file's bytes, in the same run. Prints both times
// and their ratio; the absolute figures depend on the machine, the ratio
// much less. Usage: infra_wpapers_bench [entries] [rounds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gui/SafeFile.h"
#include "settings/WPapers.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

TWallpaperList MakeList(int count) {
  static const char* const positions[] = {"Center", "Tile", "Stretch"};
  TWallpaperList list;
  for (int i = 0; i < count; ++i)
    list.Append({L"wallpaper picture " + std::to_wstring(i) + L".jpg",
                 L"D:\\Pictures\\Collection " + std::to_wstring(i % 97) + L"\\Landscapes", positions[i % 3]});
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  const int entries = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "dv-wpapers-bench";
  std::filesystem::create_directories(dir);
  const std::wstring file = (dir / "WPapers.ini").wstring();
  SaveWallpaperList(file, MakeList(entries));
  const auto fileSize = std::filesystem::file_size(dir / "WPapers.ini");

  double best = 1e9, bestRead = 1e9, bestLoad = 1e9, bestSave = 1e9;
  for (int round = 0; round < rounds; ++round) {
    auto start = Clock::now();
    std::string bytes;
    ReadWholeFile(file, bytes);
    bestRead = std::min(bestRead, Seconds(Clock::now() - start));

    start = Clock::now();
    TWallpaperList list;
    LoadWallpaperList(file, list);
    const auto loaded = Clock::now();
    SaveWallpaperList(file, list);
    const auto saved = Clock::now();
    if (list.Count() != entries) {
      std::fprintf(stderr, "loaded %d entries, expected %d\n", list.Count(), entries);
      return 1;
    }
    bestLoad = std::min(bestLoad, Seconds(loaded - start));
    bestSave = std::min(bestSave, Seconds(saved - loaded));
    best = std::min(best, Seconds(saved - start));
  }
  std::filesystem::remove_all(dir);

  std::printf("entries: %d, file: %llu bytes, best of %d rounds\n", entries, static_cast<unsigned long long>(fileSize),
              rounds);
  std::printf("read file bytes (reference): %8.2f ms\n", bestRead * 1e3);
  std::printf("load list:                   %8.2f ms\n", bestLoad * 1e3);
  std::printf("save list:                   %8.2f ms\n", bestSave * 1e3);
  std::printf("load + save:                 %8.2f ms  (target < 500 ms)\n", best * 1e3);
  std::printf("ratio load+save / read:      %8.1f\n", best / bestRead);
  return best < 0.5 ? 0 : 2;
}
