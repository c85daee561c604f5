#pragma once
// Owners for the kernel, module, icon and window handles of the runtime,
// beside the GDI owners of GdiHandles.h: each closes its handle exactly once.
#include <windows.h>

#include <memory>
#include <type_traits>

#include "gui/GdiHandles.h"

struct TKernelHandleDeleter {
  void operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using TKernelObjectOwner = std::unique_ptr<void, TKernelHandleDeleter>;

struct TModuleDeleter {
  void operator()(HMODULE h) const {
    if (h) FreeLibrary(h);
  }
};
using TModuleOwner = std::unique_ptr<std::remove_pointer_t<HMODULE>, TModuleDeleter>;

struct TIconDeleter {
  void operator()(HICON h) const {
    if (h) DestroyIcon(h);
  }
};
using TIconOwner = std::unique_ptr<std::remove_pointer_t<HICON>, TIconDeleter>;

// A window that no TControl stands for (a tool tip, a helper window):
// destroyed with its owner unless Windows destroyed it first, together with
// its parent or owner window.
struct TWindowDestroyer {
  void operator()(HWND h) const {
    if (h && IsWindow(h)) DestroyWindow(h);
  }
};
using TWindowOwner = std::unique_ptr<std::remove_pointer_t<HWND>, TWindowDestroyer>;
