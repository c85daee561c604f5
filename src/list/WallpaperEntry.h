#pragma once
// One wallpaper of the list: the picture's name, its folder and the
// position word the engine places it with. The list file stores exactly
// these three texts.
#include <cstddef>
#include <string>
#include <string_view>

struct TWallpaperEntry {
  // The longest position word an entry keeps.
  static constexpr std::size_t kMaxPosition = 10;

  std::wstring FileName;  // with extension, without folder
  std::wstring Path;      // the folder, without a trailing delimiter ("C:" for a drive root)
  std::string Position;   // "Center", "Tile", "Stretch" or whatever a list file brought (ANSI)

  // Path, a delimiter unless the path already ends with one, file name.
  std::wstring FullFileName() const {
    std::wstring full = Path;
    if (full.empty() || full.back() != L'\\') full += L'\\';
    return full + FileName;
  }
  // Stores a position word, cut to the characters a list file can hold.
  void SetPosition(std::string_view text) { Position.assign(text.substr(0, kMaxPosition)); }

  bool operator==(const TWallpaperEntry&) const = default;
};
