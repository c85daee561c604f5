#pragma once
// Owners for GDI handles: every bitmap, palette, brush, pen and device
// context the picture system creates is released by exactly one of these.
#include <windows.h>

#include <memory>
#include <type_traits>

struct TGdiObjectDeleter {
  void operator()(void* handle) const {
    if (handle) DeleteObject(static_cast<HGDIOBJ>(handle));
  }
};

template <class H>
using TGdiObject = std::unique_ptr<std::remove_pointer_t<H>, TGdiObjectDeleter>;

using TBitmapHandle = TGdiObject<HBITMAP>;
using TPaletteOwner = TGdiObject<HPALETTE>;
using TBrushHandle = TGdiObject<HBRUSH>;
using TPenHandle = TGdiObject<HPEN>;

struct TDCDeleter {
  void operator()(HDC dc) const {
    if (dc) DeleteDC(dc);
  }
};
// A device context made by CreateCompatibleDC/CreateDC.
using TOwnedDC = std::unique_ptr<std::remove_pointer_t<HDC>, TDCDeleter>;

// A window's device context (the screen's without a window) for the
// lifetime of the object.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class TScreenDC : public TWindowDC {
 public:
  TScreenDC() : TWindowDC(nullptr) {}
};

// Selects an object into a device context and puts the previous one back.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~TSelectObject() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Selects and realizes a palette in a device context and restores the
// previous palette afterwards. A null palette does nothing.
class TSelectPalette {
 public:
  TSelectPalette(HDC dc, HPALETTE palette, bool background = true)
      : dc_(dc), old_(palette ? SelectPalette(dc, palette, background) : nullptr) {
    if (old_) RealizePalette(dc_);
  }
  ~TSelectPalette() {
    if (old_) SelectPalette(dc_, old_, TRUE);
  }
  TSelectPalette(const TSelectPalette&) = delete;
  TSelectPalette& operator=(const TSelectPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE old_;
};
