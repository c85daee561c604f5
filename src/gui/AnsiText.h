#pragma once
// Conversion between the program's wide text and the system's single-byte
// ("ANSI") code page, in which the list file is stored. On Windows this is
// the active code page; elsewhere (the portable build, used for tests and
// benchmarks) bytes are read as Latin-1.
#include <string>
#include <string_view>

// Converts wide text to the ANSI code page. Characters that the code page
// cannot hold become the code page's default character ('?'); when
// representable is given it tells whether every character was converted
// exactly (no default character, no best-fit substitute).
std::string WideToAnsi(std::wstring_view text, bool* representable = nullptr);

// Converts ANSI text to wide text.
std::wstring AnsiToWide(std::string_view text);

// True when WideToAnsi would convert the text without loss.
bool IsAnsiRepresentable(std::wstring_view text);

// The short (8.3) form of an existing file or folder name, as the file
// system keeps it; empty when there is none (the name does not exist, the
// volume keeps no short names, or the platform has no such names).
std::wstring ShortPathName(const std::wstring& path);

// The name under which a file can be kept in the ANSI code page: the name
// itself when the code page holds it, otherwise its short form when the
// volume keeps one that the code page holds. False when there is neither.
bool AnsiSafeFileName(const std::wstring& fullFileName, std::wstring& listed);
