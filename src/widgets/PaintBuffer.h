#pragma once
// Painting helpers of the widgets: an off-screen paint buffer and one-call
// brushes, made of the runtime's handle owners and guards.
#include <windows.h>

#include "gui/GdiHandles.h"
#include "gui/GdiObject.h"

// A bitmap that can be drawn on a DC compatible with reference (the
// screen's when none is given).
inline TBitmapOwner CompatibleBitmap(HDC reference, int width, int height) {
  if (reference) return TBitmapOwner(CreateCompatibleBitmap(reference, width, height));
  TScreenDC screen;
  return TBitmapOwner(CreateCompatibleBitmap(screen.Get(), width, height));
}

// A memory DC with a bitmap of the given size selected, compatible with a
// reference DC (the screen when none is given). Used as the paint buffer of
// the widgets and for reading back pixels in tests.
class TMemoryBitmap {
 public:
  TMemoryBitmap(int width, int height, HDC reference = nullptr)
      : width_(width < 1 ? 1 : width),
        height_(height < 1 ? 1 : height),
        dc_(CreateCompatibleDC(reference)),
        bitmap_(CompatibleBitmap(reference, width_, height_)),
        select_(dc_.get(), dc_ ? bitmap_.get() : nullptr) {}
  TMemoryBitmap(const TMemoryBitmap&) = delete;
  TMemoryBitmap& operator=(const TMemoryBitmap&) = delete;

  HDC DC() const { return dc_.get(); }
  HBITMAP Bitmap() const { return bitmap_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  TDCOwner dc_;
  TBitmapOwner bitmap_;
  // Last, so that the bitmap leaves the DC before either is deleted.
  TSelectObject select_;
};

// A solid brush of a colour for one drawing call.
inline TBrushOwner SolidBrush(COLORREF color) { return TBrushOwner(CreateSolidBrush(color)); }
