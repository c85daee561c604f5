#include "settings/WPapers.h"

#include <algorithm>

#include "gui/AnsiText.h"
#include "gui/IniFile.h"
#include "gui/SafeFile.h"

namespace {

constexpr char kFileNameKey[] = "Filename";
constexpr char kPathKey[] = "Path";
constexpr char kPositionKey[] = "Position";

std::string CutPosition(std::string position) {
  if (position.size() > TWallpaperEntry::kMaxPosition) position.resize(TWallpaperEntry::kMaxPosition);
  return position;
}

bool HasText(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > ' '; });
}

// An entry of a Unicode file, its names brought into the ANSI code page;
// false when a name cannot be held there.
bool FromUnicode(const TIniSection& section, TWallpaperEntry& entry) {
  entry.FileName = Utf8ToWide(section.ReadString(kFileNameKey));
  entry.Path = Utf8ToWide(section.ReadString(kPathKey));
  entry.Position = CutPosition(WideToAnsi(Utf8ToWide(section.ReadString(kPositionKey))));
  const std::wstring full = entry.FullFileName();
  if (IsAnsiRepresentable(full)) return true;
  std::wstring listed;
  if (!AnsiSafeFileName(full, listed)) return false;
  const std::size_t delimiter = listed.rfind(L'\\');
  entry.Path = listed.substr(0, delimiter == std::wstring::npos ? 0 : delimiter);
  entry.FileName = listed.substr(delimiter == std::wstring::npos ? 0 : delimiter + 1);
  return true;
}

}  // namespace

std::string WallpaperSectionName(int rowIndex) { return "Wallpaper #" + std::to_string(rowIndex + 1); }

TWallpaperListRead LoadWallpaperList(const std::wstring& fileName, TWallpaperList& list) {
  TWallpaperListRead result;
  if (!ReadWholeFile(fileName, result.Bytes)) return result;
  TIniEncoding encoding = TIniEncoding::Ansi;
  const std::string text = IniFileText(result.Bytes, encoding);
  // Text with NUL characters is no text that the engine or Notepad reads
  // as such (a picture, UTF-16 without its mark): a save would lose it.
  if (text.find('\0') != std::string::npos) {
    result.State = TWallpaperListRead::TState::NotAList;
    result.Problem = L"it is not a text file";
    return result;
  }
  TMemIniFile ini;
  ini.SetText(text);
  if (ini.SectionCount() == 0) {
    if (HasText(text)) {
      result.State = TWallpaperListRead::TState::NotAList;
      result.Problem = L"it holds no wallpaper entries";
    } else {
      result.State = TWallpaperListRead::TState::Read;
    }
    return result;
  }
  std::vector<TWallpaperEntry> entries;
  entries.reserve(static_cast<std::size_t>(ini.SectionCount()));
  for (int i = 0; i < ini.SectionCount(); ++i) {
    const TIniSection& section = ini.Section(i);
    TWallpaperEntry entry;
    if (encoding != TIniEncoding::Ansi) {
      if (!FromUnicode(section, entry)) result.LossyNames.push_back(entry.FullFileName());
    } else {
      entry.FileName = AnsiToWide(section.ReadString(kFileNameKey));
      entry.Path = AnsiToWide(section.ReadString(kPathKey));
      entry.Position = CutPosition(section.ReadString(kPositionKey));
    }
    entries.push_back(std::move(entry));
  }
  list.Clear();
  list.AppendAll(std::move(entries));
  result.State = TWallpaperListRead::TState::Read;
  if (!result.KeepFile()) std::string().swap(result.Bytes);
  return result;
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
