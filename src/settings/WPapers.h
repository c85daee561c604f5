#pragma once
// The wallpaper list file (WPapers.ini in the program's folder): one section
// "Wallpaper #n" per entry, numbered from 1 in list order, with the keys
// Filename, Path and Position, in the system's ANSI code page. The engine
// reads the same file. Portable: it reads and writes the list model, the
// file through SafeFile.
#include <string>

#include "list/WallpaperList.h"

// Fills the list from the file. A missing file, or one without sections,
// leaves the list as it is; otherwise the list is emptied and gets one entry
// per section in file order, whatever the sections are called. A missing key
// gives an empty text; the position is cut to TWallpaperEntry::kMaxPosition characters.
// A file that exists but cannot be read raises EStreamError.
void LoadWallpaperList(const std::wstring& fileName, TWallpaperList& list);

// Writes the list to the file, replacing the whole file: only the current
// entries, renumbered from 1. An empty list writes an empty file. The old
// file is replaced in one step only when the new one is complete; when
// writing fails (read-only file, folder without write permission, full disk)
// EStreamError naming the file is raised and the old file stays as it was.
void SaveWallpaperList(const std::wstring& fileName, const TWallpaperList& list);

// The name of the section of the entry at a 0-based row index.
std::string WallpaperSectionName(int rowIndex);
