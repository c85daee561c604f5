#pragma once
// Opens a Control Panel page by running the system's rundll32.exe with the
// shell's Control Panel entry point and an applet argument that depends on
// the page and on the Windows family.
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

// A fixed underlying type, so that any number can be passed and refused.
enum TControlPanelPage : int { cppMousePointers = 0, cppDisplay = 1, cppScreenSaver = 2 };

// Platform identifiers as the system's version query reports them.
inline constexpr int PlatformWin32s = 0;
inline constexpr int PlatformWindows9x = 1;
inline constexpr int PlatformWindowsNT = 2;

// The applet argument for a page on a platform; empty for a platform other
// than 9x (1) or NT (2) and for a page outside 0 to 2.
std::string ControlPanelAppletFor(int platformId, int page);
// The rundll32 parameters that open an applet argument (an empty argument
// leaves the parameters ending in a blank).
std::string ControlPanelParameters(const std::string& applet);

#ifdef _WIN32
// The applet argument for a page on the running system; empty when the
// version query fails or the platform is unknown.
std::string GetControlPanelApplet(TControlPanelPage page);
// Runs rundll32.exe for the page, owned by ownerWindow; the outcome is not
// reported.
void RunControlPanelApplet(HWND ownerWindow, TControlPanelPage page);
#endif
