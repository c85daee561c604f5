#pragma once
// The wallpaper list file over one run of the program: read once at start,
// and written only when it was read, so that a save never puts the list of
// this run in place of a list it never saw. A file that is locked at start
// may be tried again; a file that a save would lose (not a list, or names
// that the ANSI code page cannot hold) is first kept as a copy beside it.
#include <windows.h>

#include <string>

#include "list/WallpaperList.h"

class TListFileSession {
 public:
  // Reads fileName into list. A file that cannot be opened (held by another
  // program, access denied, a folder) asks to try again or to quit; false
  // when the user quits, and nothing has been read. A file that a save would
  // lose is kept as a copy beside it, and the user is told once what was
  // wrong and where the copy is.
  bool Load(HWND owner, const std::wstring& fileName, TWallpaperList& list);

  // Writes the list over the file read at start; when start-up could not
  // keep the copy it meant to, the copy is made first, and the list is not
  // written without it. Raises EStreamError naming the file and the reason.
  // Writes nothing when no file was read.
  void Save(const TWallpaperList& list);

  bool Read() const { return read_; }

 private:
  // Keeps the file's bytes as a copy beside it; returns the copy's name.
  std::wstring KeepCopy();

  std::wstring fileName_;
  bool read_ = false;
  // The bytes of a file still to be kept before the first save.
  std::string pendingCopy_;
  bool copyPending_ = false;
};
