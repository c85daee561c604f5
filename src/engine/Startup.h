#pragma once
// Registers the engine to start at each log-on of the current user: the value
// "Dorvane" under the per-user Run key holds the engine's command line.
#include <string>

// The Run key under HKEY_CURRENT_USER and the value name.
inline constexpr wchar_t RunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t RunValueName[] = L"Dorvane";

// The start-up command for a program folder (with trailing backslash): the
// engine's full path, a blank and "-startzpe". A path with a blank is put in
// double quotes, as Windows would otherwise try to run the part before the
// blank.
std::wstring StartupCommand(const std::wstring& programFolder);

#ifdef _WIN32
// Adds (or rewrites) the start-up entry for the engine in programFolder, or
// removes it (an entry that is not there, or in a Run key that cannot be
// read, is no error). Shows nothing: the
// result is empty when the entry follows enable, otherwise the message for
// the user, naming the key and the system's reason, which the caller shows
// once its save is over (ReportStartupFailure).
std::wstring SetRunAtStartupFor(const std::wstring& programFolder, bool enable);
// The same for the running program's folder.
std::wstring SetRunAtStartup(bool enable);
// Shows such a message: caption "Error", stop icon, OK button.
void ReportStartupFailure(const std::wstring& message);
#endif
