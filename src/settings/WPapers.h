#pragma once
// The wallpaper list file (WPapers.ini in the program's folder): one section
// "Wallpaper #n" per entry, numbered from 1 in list order, with the keys
// Filename, Path and Position, in the system's ANSI code page. The engine
// reads the same file. Portable: the grid reaches it through
// IWallpaperList, the file through SafeFile.
#include <cstddef>
#include <string>
#include <vector>

// The longest position text an entry keeps.
inline constexpr std::size_t MaxPositionLength = 10;

// The three texts of one wallpaper entry as the list file stores them.
struct TWallpaperFields {
  std::wstring FileName;  // the picture's name without its folder
  std::wstring Path;      // its folder, without a trailing backslash
  std::string Position;   // "Center", "Tile", "Stretch" or whatever the file brought
};

// What the list file needs of the wallpaper grid.
class IWallpaperList {
 public:
  virtual ~IWallpaperList() = default;
  virtual int Count() const = 0;
  virtual TWallpaperFields Entry(int index) const = 0;
  // Removes every entry.
  virtual void Clear() = 0;
  // Adds an entry after the last one.
  virtual void Append(const TWallpaperFields& entry) = 0;
};

// A wallpaper list kept in a plain vector, for work without a grid.
class TWallpaperArray : public IWallpaperList {
 public:
  int Count() const override { return static_cast<int>(entries_.size()); }
  TWallpaperFields Entry(int index) const override { return entries_.at(static_cast<std::size_t>(index)); }
  void Clear() override { entries_.clear(); }
  void Append(const TWallpaperFields& entry) override { entries_.push_back(entry); }
  void Reserve(std::size_t count) { entries_.reserve(count); }
  void Erase(int index) { entries_.erase(entries_.begin() + index); }
  const std::vector<TWallpaperFields>& Entries() const { return entries_; }

 private:
  std::vector<TWallpaperFields> entries_;
};

// Fills the list from the file. A missing file, or one without sections,
// leaves the list as it is; otherwise the list is emptied and gets one entry
// per section in file order, whatever the sections are called. A missing key
// gives an empty text; the position is cut to MaxPositionLength characters.
// A file that exists but cannot be read raises EStreamError.
void LoadWallpaperList(const std::wstring& fileName, IWallpaperList& list);

// Writes the list to the file, replacing the whole file: only the current
// entries, renumbered from 1. An empty list writes an empty file. The old
// file is replaced in one step only when the new one is complete; when
// writing fails (read-only file, folder without write permission, full disk)
// EStreamError naming the file is raised and the old file stays as it was.
void SaveWallpaperList(const std::wstring& fileName, const IWallpaperList& list);

// The name of the section of the entry at a 0-based row index.
std::string WallpaperSectionName(int rowIndex);
