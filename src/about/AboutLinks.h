#pragma once
// What the About window reaches outside itself: the maker's addresses, the
// links library file and its date.
#include <windows.h>

#include <string>

#include "gui/GdiObject.h"

// The maker's home page, built from the host name that the web site label
// shows: the shell needs the scheme to take it for a web address.
std::wstring MakerHomeAddress();
// A page of the maker's site ("/dorvane/addwp.asp").
std::wstring MakerPageAddress(const std::wstring& page);
// The support mail address with the subject of a support request.
std::wstring SupportMailAddress();

// Opens an address with the shell's "open" verb; the result is not examined
// (no browser or mail program is nothing to report).
void ShellOpenAddress(HWND owner, const std::wstring& address);

// Loads the links library from its full path (never searched for by bare
// name); its own dependencies are looked for beside it. Null when the file is
// missing or not a library. No system error box is shown.
TModuleOwner LoadLinksLibrary(const std::wstring& path);

// Destroys the windows under parent whose window procedure lies in module,
// so that nothing of a library runs once it is released. Windows of system
// classes (the links library's SysLink controls) stay.
void DestroyWindowsOfModule(HWND parent, HMODULE module);

// The modification date of a file in the user's short date format, or empty
// text when there is no such file.
std::wstring FileDateText(const std::wstring& path);
// A date in the user's short date format.
std::wstring ShortDateText(const SYSTEMTIME& date);
