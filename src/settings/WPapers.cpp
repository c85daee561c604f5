#include "settings/WPapers.h"

#include "gui/AnsiText.h"
#include "gui/IniFile.h"

namespace {

constexpr char kFileNameKey[] = "Filename";
constexpr char kPathKey[] = "Path";
constexpr char kPositionKey[] = "Position";

std::string CutPosition(std::string position) {
  if (position.size() > TWallpaperEntry::kMaxPosition) position.resize(TWallpaperEntry::kMaxPosition);
  return position;
}

}  // namespace

std::string WallpaperSectionName(int rowIndex) { return "Wallpaper #" + std::to_string(rowIndex + 1); }

void LoadWallpaperList(const std::wstring& fileName, TWallpaperList& list) {
  const TMemIniFile ini(fileName);
  if (ini.SectionCount() == 0) return;
  std::vector<TWallpaperEntry> entries;
  entries.reserve(static_cast<std::size_t>(ini.SectionCount()));
  for (int i = 0; i < ini.SectionCount(); ++i) {
    const TIniSection& section = ini.Section(i);
    TWallpaperEntry entry;
    entry.FileName = AnsiToWide(section.ReadString(kFileNameKey));
    entry.Path = AnsiToWide(section.ReadString(kPathKey));
    entry.Position = CutPosition(section.ReadString(kPositionKey));
    entries.push_back(std::move(entry));
  }
  list.Clear();
  list.AppendAll(std::move(entries));
}

void SaveWallpaperList(const std::wstring& fileName, const TWallpaperList& list) {
  // The document starts empty rather than from the old file, so no section
  // of a longer earlier list survives; the old file itself stays untouched
  // until the new one is complete.
  TMemIniFile ini(fileName, TIniOpen::Empty);
  int row = 0;
  for (const TWallpaperEntry& entry : list) {
    TIniSection& section = ini.AppendSection(WallpaperSectionName(row++));
    section.Append(kFileNameKey, WideToAnsi(entry.FileName));
    section.Append(kPathKey, WideToAnsi(entry.Path));
    section.Append(kPositionKey, CutPosition(entry.Position));
  }
  ini.UpdateFile();
}
