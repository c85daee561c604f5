#include "settings/WPapers.h"

#include "gui/AnsiText.h"
#include "gui/IniFile.h"

namespace {

constexpr char kFileNameKey[] = "Filename";
constexpr char kPathKey[] = "Path";
constexpr char kPositionKey[] = "Position";

std::string CutPosition(std::string position) {
  if (position.size() > MaxPositionLength) position.resize(MaxPositionLength);
  return position;
}

}  // namespace

std::string WallpaperSectionName(int rowIndex) { return "Wallpaper #" + std::to_string(rowIndex + 1); }

void LoadWallpaperList(const std::wstring& fileName, IWallpaperList& list) {
  const TMemIniFile ini(fileName);
  if (ini.SectionCount() == 0) return;
  list.Clear();
  for (int i = 0; i < ini.SectionCount(); ++i) {
    const TIniSection& section = ini.Section(i);
    TWallpaperFields entry;
    entry.FileName = AnsiToWide(section.ReadString(kFileNameKey));
    entry.Path = AnsiToWide(section.ReadString(kPathKey));
    entry.Position = CutPosition(section.ReadString(kPositionKey));
    list.Append(entry);
  }
}

void SaveWallpaperList(const std::wstring& fileName, const IWallpaperList& list) {
  // The document starts empty rather than from the old file, so no section
  // of a longer earlier list survives; the old file itself stays untouched
  // until the new one is complete.
  TMemIniFile ini(fileName, TIniOpen::Empty);
  const int count = list.Count();
  for (int i = 0; i < count; ++i) {
    const TWallpaperFields entry = list.Entry(i);
    TIniSection& section = ini.AppendSection(WallpaperSectionName(i));
    section.Append(kFileNameKey, WideToAnsi(entry.FileName));
    section.Append(kPathKey, WideToAnsi(entry.Path));
    section.Append(kPositionKey, CutPosition(entry.Position));
  }
  ini.UpdateFile();
}
