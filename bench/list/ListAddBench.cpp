// Adds 1,000 files, half of them already listed, to a list of 100,000
// entries: once through the name index the list keeps, once by walking the
// list as a plain look-up would. Prints both times and their ratio.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "list/WallpaperIndex.h"

namespace {

using Clock = std::chrono::steady_clock;

std::wstring Name(int i) { return L"D:\\Pictures\\Holiday " + std::to_wstring(i / 100) + L"\\IMG_" + std::to_wstring(i) + L".JPG"; }

bool WalkContains(const std::vector<std::wstring>& list, const std::wstring& name) {
  const std::wstring wanted = TWallpaperIndex::Fold(name);
  for (const std::wstring& entry : list)
    if (TWallpaperIndex::Fold(entry) == wanted) return true;
  return false;
}

}  // namespace

int main() {
  constexpr int kListed = 100000, kAdds = 1000;
  std::vector<std::wstring> list;
  TWallpaperIndex index;
  for (int i = 0; i < kListed; ++i) {
    list.push_back(Name(i));
    index.Add(list.back());
  }
  std::vector<std::wstring> adds;
  for (int i = 0; i < kAdds; ++i) adds.push_back(i % 2 ? Name(i * 97) : Name(kListed + i));

  auto start = Clock::now();
  int added = 0;
  for (const std::wstring& name : adds)
    if (!index.Contains(name)) {
      index.Add(name);
      ++added;
    }
  const double indexed = std::chrono::duration<double>(Clock::now() - start).count();

  // The plain walk is far slower: time a tenth of the adds and scale up.
  start = Clock::now();
  int walked = 0;
  for (int i = 0; i < kAdds / 10; ++i)
    if (!WalkContains(list, adds[i])) ++walked;
  const double walk = std::chrono::duration<double>(Clock::now() - start).count() * 10;

  std::printf("1,000 adds to 100,000 entries (%d new): index %.4f s, plain walk %.2f s, walk/index %.0fx\n", added,
              indexed, walk, walk / indexed);
  return added == kAdds / 2 && walked == kAdds / 20 ? 0 : 1;
}
