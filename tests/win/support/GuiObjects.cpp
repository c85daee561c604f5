#include "GuiObjects.h"

namespace {

constexpr unsigned kHandleIndexes = 0x10000;

DWORD CountGdiHandles() {
  DWORD count = 0;
  for (unsigned i = 1; i < kHandleIndexes; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(i))) != 0) ++count;
  return count;
}

bool Ours(HWND hwnd) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  return process == GetCurrentProcessId();
}

BOOL CALLBACK CountChild(HWND hwnd, LPARAM count) {
  if (Ours(hwnd)) ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM count) {
  if (!Ours(hwnd)) return TRUE;
  ++*reinterpret_cast<DWORD*>(count);
  // All descendants, not only the direct children.
  EnumChildWindows(hwnd, CountChild, count);
  return TRUE;
}

DWORD CountUserObjects() {
  DWORD count = 0;
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
    if (Ours(w)) ++count;
  for (unsigned i = 1; i < kHandleIndexes; ++i)
    if (IsMenu(reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(i)))) ++count;
  return count;
}

}  // namespace

TGuiObjects CountGuiObjects() {
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (gdi != 0 || user != 0) return TGuiObjects{gdi, user, "GetGuiResources"};
  return TGuiObjects{CountGdiHandles(), CountUserObjects(), "counted"};
}
