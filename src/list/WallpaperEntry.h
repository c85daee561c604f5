#pragma once
// The record that each row of the wallpaper grid carries and owns.
#include <string>
#include <string_view>

struct TWallpaperEntry {
  static constexpr size_t kMaxPosition = 10;

  std::wstring FileName;  // with extension, without folder
  std::wstring Path;      // the folder, without a trailing delimiter ("C:" for a drive root)
  std::string Position;   // "Center", "Tile", "Stretch" or whatever a list file brought

  // Path, a delimiter unless the path already ends with one, file name.
  std::wstring FullFileName() const {
    std::wstring full = Path;
    if (full.empty() || full.back() != L'\\') full += L'\\';
    return full + FileName;
  }
  // Stores a position word, cut to the 10 characters a list file can hold.
  void SetPosition(std::string_view text) { Position.assign(text.substr(0, kMaxPosition)); }
};
