#include "gui/Screen.h"

#include <algorithm>

namespace {
HCURSOR handPoint = nullptr;
}  // namespace

HCURSOR HandPointCursor() {
  // Until the program sets one, the runtime's own: the arrow's pointing hand
  // shape is not in older systems, so fall back to the arrow.
  if (!handPoint) handPoint = LoadCursorW(nullptr, IDC_HAND);
  return handPoint ? handPoint : LoadCursorW(nullptr, IDC_ARROW);
}

void SetHandPointCursor(HCURSOR cursor) { handPoint = cursor; }

namespace {
RECT WorkAreaOfScreen(HMONITOR screen) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(screen, &monitor))
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return monitor.rcWork;
}
}  // namespace

RECT WorkAreaNear(POINT point) { return WorkAreaOfScreen(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

RECT WorkAreaOf(const RECT& place) { return WorkAreaOfScreen(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST)); }

POINT KeepInWorkArea(const RECT& place) {
  const RECT work = WorkAreaOf(place);
  const int width = place.right - place.left, height = place.bottom - place.top;
  // The left and top edges win when the window is larger than the area.
  return POINT{std::max<int>(work.left, std::min<int>(place.left, work.right - width)),
               std::max<int>(work.top, std::min<int>(place.top, work.bottom - height))};
}
