#pragma once
// Owners for the kernel, module, font and icon handles of the runtime, beside
// the GDI owners of GdiHandles.h: each closes its handle exactly once.
#include <windows.h>

#include <memory>
#include <type_traits>

#include "gui/GdiHandles.h"

using TFontHandle = TGdiObject<HFONT>;
using TRegionHandle = TGdiObject<HRGN>;

struct TKernelHandleDeleter {
  void operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
using TKernelHandle = std::unique_ptr<void, TKernelHandleDeleter>;

struct TModuleDeleter {
  void operator()(HMODULE h) const {
    if (h) FreeLibrary(h);
  }
};
using TModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, TModuleDeleter>;

struct TIconDeleter {
  void operator()(HICON h) const {
    if (h) DestroyIcon(h);
  }
};
using TIconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, TIconDeleter>;
