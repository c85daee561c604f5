#include "gui/Dpi.h"

#include "gui/GdiHandles.h"

namespace {

// Functions of newer systems, looked up where they exist: the 32-bit program
// also runs where they do not.
template <class Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int ScreenDpi() {
  TScreenDC screen;
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

void DeclareDpiAwareness() {
  using TSetContext = BOOL(WINAPI*)(HANDLE);
  if (auto setContext = User32Function<TSetContext>("SetProcessDpiAwarenessContext")) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then the system-aware one.
    if (setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) return;
    if (GetLastError() == ERROR_ACCESS_DENIED) return;  // the manifest has set it already
    if (setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-2)))) return;
  }
  if (auto setAware = User32Function<BOOL(WINAPI*)()>("SetProcessDPIAware")) setAware();
}

int WindowDpi(HWND window) {
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<TGetDpiForWindow>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}
