#pragma once
// The wallpaper list file (WPapers.ini in the program's folder): one section
// "Wallpaper #n" per entry, numbered from 1 in list order, with the keys
// Filename, Path and Position, saved in the system's ANSI code page, which
// the engine reads. A file that Notepad or PowerShell saved as Unicode
// (UTF-16 or UTF-8 with a byte-order mark) is read as such. Portable: it
// reads and writes the list model, the file through SafeFile.
#include <string>
#include <vector>

#include "list/WallpaperList.h"

// What reading the list file found.
struct TWallpaperListRead {
  enum class TState {
    Missing,   // no file: the list is left as it is
    Read,      // the file's entries, if any, are in the list
    NotAList,  // the file is not a list this program reads: the list is left as it is
  };
  TState State = TState::Missing;
  // Why the file is not a list, in words for the user ("it is not a text file").
  std::wstring Problem;
  // Full names from a Unicode file that the ANSI code page cannot hold, not
  // even by a short form: a save writes them with question marks.
  std::vector<std::wstring> LossyNames;
  // The file's bytes as read, for a copy of a file that a save would lose.
  std::string Bytes;

  // A save would lose what the file holds, so it is to be kept first.
  bool KeepFile() const { return State == TState::NotAList || !LossyNames.empty(); }
};

// Fills the list from the file: the list is emptied and gets one entry per
// section in file order, whatever the sections are called. A missing key
// gives an empty text; the position is cut to TWallpaperEntry::kMaxPosition
// characters. A name from a Unicode file that the ANSI code page cannot hold
// is taken in its short form, as the Add dialog does. A file with NUL
// characters, or with something other than blanks but no section, is not a
// list. A file that exists but cannot be read raises EStreamError naming it
// and the reason.
TWallpaperListRead LoadWallpaperList(const std::wstring& fileName, TWallpaperList& list);

// Writes the list to the file, replacing the whole file: only the current
// entries, renumbered from 1. An empty list writes an empty file. The old
// file is replaced in one step only when the new one is complete; when
// writing fails (read-only file, folder without write permission, full disk)
// EStreamError naming the file is raised and the old file stays as it was.
void SaveWallpaperList(const std::wstring& fileName, const TWallpaperList& list);

// The name of the section of the entry at a 0-based row index.
std::string WallpaperSectionName(int rowIndex);
