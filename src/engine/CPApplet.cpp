#include "engine/CPApplet.h"

#ifdef _WIN32
#include <shellapi.h>
#endif

namespace {

// Rows by page, columns 9x and NT. The pointer page is tab 0 of the mouse
// applet on 9x and tab 1 on NT; the screen saver is tab 1 of the display
// applet on both.
constexpr const char* kApplets[3][2] = {
    {"main.cpl,Mouse,0", "main.cpl,Mouse,1"},
    {"desk.cpl,,2", "desk.cpl,,"},
    {"desk.cpl,,1", "desk.cpl,,1"},
};

}  // namespace

std::string ControlPanelAppletFor(int platformId, int page) {
  if (page < cppMousePointers || page > cppScreenSaver) return {};
  if (platformId != PlatformWindows9x && platformId != PlatformWindowsNT) return {};
  return kApplets[page][platformId == PlatformWindowsNT ? 1 : 0];
}

std::string ControlPanelParameters(const std::string& applet) { return "shell32.dll,Control_RunDLL " + applet; }

#ifdef _WIN32

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the system expects");

std::string GetControlPanelApplet(TControlPanelPage page) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return {};
  return ControlPanelAppletFor(static_cast<int>(info.dwPlatformId), page);
}

void RunControlPanelApplet(HWND ownerWindow, TControlPanelPage page) {
  const std::string parameters = ControlPanelParameters(GetControlPanelApplet(page));
  ShellExecuteA(ownerWindow, "open", "rundll32.exe", parameters.c_str(), nullptr, SW_SHOW);
}

#endif
