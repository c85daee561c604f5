#pragma once
// Owners and guards for GDI handles. An owner (T...Owner) releases the one
// handle it holds when it goes and can be moved; a guard undoes for its scope
// what its constructor did (a selection, a saved state, a paint).
#include <windows.h>

#include <memory>
#include <type_traits>

struct TGdiObjectDeleter {
  void operator()(void* handle) const {
    if (handle) DeleteObject(static_cast<HGDIOBJ>(handle));
  }
};

template <class H>
using TGdiObjectOwner = std::unique_ptr<std::remove_pointer_t<H>, TGdiObjectDeleter>;

using TBitmapOwner = TGdiObjectOwner<HBITMAP>;
using TPaletteOwner = TGdiObjectOwner<HPALETTE>;
using TBrushOwner = TGdiObjectOwner<HBRUSH>;
using TPenOwner = TGdiObjectOwner<HPEN>;
using TFontOwner = TGdiObjectOwner<HFONT>;
using TRegionOwner = TGdiObjectOwner<HRGN>;

struct TDCDeleter {
  void operator()(HDC dc) const {
    if (dc) DeleteDC(dc);
  }
};
// A device context made by CreateCompatibleDC/CreateDC.
using TDCOwner = std::unique_ptr<std::remove_pointer_t<HDC>, TDCDeleter>;

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

// The device context of one WM_PAINT. The paint ends whatever happens while
// drawing: a drawing that raises still validates the window, so its error is
// reported once and not again on every following paint.
class TPaintDC {
 public:
  explicit TPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~TPaintDC() { EndPaint(window_, &paint_); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  // Null when the window could not be painted.
  HDC Get() const { return dc_; }
  // The part of the client area to paint.
  const RECT& Area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Saves the whole state of a DC (origins, clipping, selected objects, colours)
// and restores it when the guard ends.
class TDCStateGuard {
 public:
  explicit TDCStateGuard(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TDCStateGuard() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TDCStateGuard(const TDCStateGuard&) = delete;
  TDCStateGuard& operator=(const TDCStateGuard&) = delete;

 private:
  HDC dc_;
  int saved_;
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
  // Whether the object went in (a null object or a failed selection did not).
  bool Selected() const { return old_ != nullptr; }

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
