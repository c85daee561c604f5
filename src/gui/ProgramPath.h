#pragma once
// Where the running program lies. The list file, the engine, the start-up
// command and the links library are all found from here, never from the
// current directory.
#include <string>

// The full path of the running program file.
std::wstring ProgramFileName();
// Its folder, with a trailing backslash.
std::wstring ProgramFolder();
// The folder part of a path, with a trailing backslash ("" for a bare name).
std::wstring FolderOf(const std::wstring& path);
