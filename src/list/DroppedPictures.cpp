#include "list/DroppedPictures.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace {

struct TFindDeleter {
  void operator()(HANDLE find) const {
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
  }
};
using TFindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, TFindDeleter>;

// CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN, as the file system
// compares names.
int CompareIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE);
}

bool IsFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Appends the pictures at the top level of a folder, sorted by name; with
// firstOnly, stops after one.
void AddFolderPictures(const std::wstring& folder, bool firstOnly, std::vector<std::wstring>& pictures) {
  std::wstring prefix = folder;
  if (!prefix.empty() && prefix.back() != L'\\' && prefix.back() != L'/') prefix += L'\\';
  WIN32_FIND_DATAW found{};
  const TFindHandle find(FindFirstFileW((prefix + L"*").c_str(), &found));
  if (find.get() == INVALID_HANDLE_VALUE) return;
  std::vector<std::wstring> names;
  do {
    if (IsFolder(found.dwFileAttributes) || !IsPictureFileName(found.cFileName)) continue;
    names.emplace_back(found.cFileName);
    if (firstOnly) break;
  } while (FindNextFileW(find.get(), &found));
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return CompareIgnoringCase(a, b) == CSTR_LESS_THAN; });
  for (const std::wstring& name : names) pictures.push_back(prefix + name);
}

std::vector<std::wstring> Find(const std::vector<std::wstring>& names, bool firstOnly) {
  std::vector<std::wstring> pictures;
  for (const std::wstring& name : names) {
    if (firstOnly && !pictures.empty()) break;
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    if (IsFolder(attributes))
      AddFolderPictures(name, firstOnly, pictures);
    else if (IsPictureFileName(name))
      pictures.push_back(name);
  }
  return pictures;
}

}  // namespace

bool IsPictureFileName(std::wstring_view name) {
  const std::size_t dot = name.find_last_of(L".\\/");
  if (dot == std::wstring_view::npos || name[dot] != L'.') return false;
  const std::wstring_view extension = name.substr(dot + 1);
  for (const wchar_t* picture : kPictureExtensions)
    if (CompareIgnoringCase(extension, picture) == CSTR_EQUAL) return true;
  return false;
}

std::wstring PicturePatterns() {
  std::wstring patterns;
  for (const wchar_t* extension : kPictureExtensions) {
    if (!patterns.empty()) patterns += L';';
    patterns += L"*.";
    patterns += extension;
  }
  return patterns;
}

std::vector<std::wstring> DroppedPictures(const std::vector<std::wstring>& names) { return Find(names, false); }

bool HoldsPictures(const std::vector<std::wstring>& names) { return !Find(names, true).empty(); }
