#pragma once
// Painting helpers of the widgets: a saved DC state, an off-screen paint
// buffer and one-call brushes. The handle owners come from the runtime.
#include <windows.h>

#include "gui/GdiHandles.h"
#include "gui/GdiObject.h"

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

// A memory DC with a bitmap of the given size selected, compatible with a
// reference DC (the screen when none is given). Used as the paint buffer of
// the widgets and for reading back pixels in tests.
class TMemoryBitmap {
 public:
  TMemoryBitmap(int width, int height, HDC reference = nullptr);
  ~TMemoryBitmap();
  TMemoryBitmap(const TMemoryBitmap&) = delete;
  TMemoryBitmap& operator=(const TMemoryBitmap&) = delete;

  HDC DC() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  TBitmapHandle bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
};

inline TMemoryBitmap::TMemoryBitmap(int width, int height, HDC reference)
    : width_(width < 1 ? 1 : width), height_(height < 1 ? 1 : height) {
  HDC screen = reference ? nullptr : GetDC(nullptr);
  HDC ref = reference ? reference : screen;
  dc_ = CreateCompatibleDC(ref);
  bitmap_.reset(CreateCompatibleBitmap(ref, width_, height_));
  if (screen) ReleaseDC(nullptr, screen);
  if (dc_ && bitmap_) oldBitmap_ = SelectObject(dc_, bitmap_.get());
}

inline TMemoryBitmap::~TMemoryBitmap() {
  if (dc_) {
    if (oldBitmap_) SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
  }
}

// A solid brush of a colour for one drawing call.
inline TBrushHandle SolidBrush(COLORREF color) { return TBrushHandle(CreateSolidBrush(color)); }
