#pragma once
// The links library: "Links.dat" in the program's folder, a dynamic library
// despite its extension, loaded by the About window while it is open.
//
//  - It exports the undecorated name "ShowLinks" (also in 32-bit builds) of
//    the type below. The About window calls it once, while it is created,
//    with its own window and the scroll box of the links panel.
//  - ShowLinks fills the scroll box with child controls of system window
//    classes only - SysLink controls, falling back to static text where the
//    system has no SysLink class - one below the other, 18 pixels apart,
//    starting at the top of the scroll box's client area. It registers no
//    window class and subclasses nothing: the library is unloaded when the
//    About window closes, before its controls are destroyed, so none of its
//    code may run after the call returns.
//  - A SysLink control tells its parent, the scroll box, of a click or of
//    Enter on its link with WM_NOTIFY (NM_CLICK or NM_RETURN, an NMLINK
//    record). The scroll box opens item.szUrl with ShellExecute, verb "open",
//    no parameters, no working folder, SW_SHOW; it does so for every SysLink
//    child, whoever made it.
//  - The scroll box scrolls its children; the library sets no scroll range.
#include <windows.h>

extern "C" {
typedef void(__stdcall* TShowLinksProc)(HWND aboutWindow, HWND scrollBox);
}

inline constexpr wchar_t LinksFileName[] = L"Links.dat";
inline constexpr char ShowLinksExportName[] = "ShowLinks";
// Distance between the tops of two link controls.
inline constexpr int LinksRowHeight = 18;
