#include "widgets/Underneath.h"

#include <vector>

#include "widgets/PaintBuffer.h"

namespace {
POINT ClientOriginIn(HWND window, HWND parent) {
  POINT origin{0, 0};
  MapWindowPoints(window, parent, &origin, 1);
  return origin;
}
}  // namespace

void PaintUnderneath(HWND self, HDC dc) {
  RECT client{};
  GetClientRect(self, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  HWND parent = GetParent(self);
  if (!parent || !(GetWindowLongW(self, GWL_STYLE) & WS_CHILD)) return;

  const POINT origin = ClientOriginIn(self, parent);
  {
    TDCStateGuard state(dc);
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  }

  RECT mine = client;
  OffsetRect(&mine, origin.x, origin.y);
  // Siblings further down the z-order lie beneath; paint the lowest first.
  std::vector<HWND> below;
  for (HWND w = GetWindow(self, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (!IsWindowVisible(w)) continue;
    RECT theirs{};
    GetClientRect(w, &theirs);
    const POINT at = ClientOriginIn(w, parent);
    OffsetRect(&theirs, at.x, at.y);
    RECT overlap{};
    if (IntersectRect(&overlap, &mine, &theirs)) below.push_back(w);
  }
  for (auto it = below.rbegin(); it != below.rend(); ++it) {
    const POINT at = ClientOriginIn(*it, parent);
    RECT theirs{};
    GetClientRect(*it, &theirs);
    TDCStateGuard state(dc);
    OffsetViewportOrgEx(dc, at.x - origin.x, at.y - origin.y, nullptr);
    IntersectClipRect(dc, 0, 0, theirs.right, theirs.bottom);
    SendMessageW(*it, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  }
}
