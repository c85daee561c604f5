#pragma once
// Whole-file reading and writing for the program's own data files. A save
// never leaves a half-written or missing file behind: the new contents go to
// a temporary file in the same folder, which then takes the old file's place
// in one step. Portable; the Windows side uses the Win32 file functions.
#include <string>
#include <string_view>

#include "gui/Stream.h"  // EStreamError

// Reads the whole file into bytes. Returns false, with bytes emptied, when
// there is no such file (or no such folder); raises EStreamError naming the
// file when it exists but cannot be read.
bool ReadWholeFile(const std::wstring& fileName, std::string& bytes);

// Replaces the file with the given bytes. Raises EStreamError naming the file
// when the file is read-only, the folder cannot take the temporary file, the
// disk is full or the replacement fails; the previous file is then left as
// it was and no temporary file remains.
void WriteFileReplacing(const std::wstring& fileName, std::string_view bytes);

// Keeps bytes as a new file beside fileName: the first of fileName + ".bak",
// fileName + ".2.bak" ... ".9.bak" that does not exist yet, so that no earlier
// copy is written over. Returns the name of the copy; raises EStreamError
// naming it when it cannot be written (nothing of it then remains), or when
// every name is taken.
std::wstring KeepCopyBeside(const std::wstring& fileName, std::string_view bytes);

// The name of the temporary file that WriteFileReplacing writes first.
std::wstring ReplacementFileName(const std::wstring& fileName);
