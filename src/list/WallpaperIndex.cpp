#include "list/WallpaperIndex.h"

std::wstring TWallpaperIndex::Fold(const std::wstring& text) {
  std::wstring folded = text;
  for (wchar_t& c : folded)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return folded;
}

void TWallpaperIndex::Add(const std::wstring& fullFileName) { ++counts_[Fold(fullFileName)]; }

void TWallpaperIndex::Remove(const std::wstring& fullFileName) {
  auto it = counts_.find(Fold(fullFileName));
  if (it != counts_.end() && --it->second == 0) counts_.erase(it);
}

bool TWallpaperIndex::Contains(const std::wstring& fullFileName) const {
  return counts_.find(Fold(fullFileName)) != counts_.end();
}

void SplitFileName(const std::wstring& fullFileName, std::wstring& path, std::wstring& fileName) {
  const std::size_t cut = fullFileName.find_last_of(L"\\/:");
  if (cut == std::wstring::npos) {
    path.clear();
    fileName = fullFileName;
    return;
  }
  fileName = fullFileName.substr(cut + 1);
  path = fullFileName.substr(0, cut + 1);
  if (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
}
