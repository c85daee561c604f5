#pragma once
// Dots per inch: the program is laid out in pixels at 96 DPI and scaled by
// the DPI of the window it shows in.
#include <windows.h>

#include "gui/Control.h"

constexpr int kDesignDpi = 96;

// A length of the 96-DPI layout at the given DPI, rounded to the nearest pixel.
inline int ScaleToDpi(int value, int dpi) { return dpi == kDesignDpi ? value : MulDiv(value, dpi, kDesignDpi); }

// A place of the 96-DPI layout at the given DPI, relative to its parent,
// whose client area starts at parentOrigin of the window's 96-DPI layout.
// The edges are scaled where they stand in the window, not in the parent:
// controls that touch at 96 DPI still touch, and a control that fits its
// parent at 96 DPI fits it at every DPI, however deep the parent lies.
inline TBounds ScaleToDpi(const TBounds& bounds, int dpi, POINT parentOrigin = {0, 0}) {
  const int x = parentOrigin.x, y = parentOrigin.y;
  const int parentLeft = ScaleToDpi(x, dpi), parentTop = ScaleToDpi(y, dpi);
  const int left = ScaleToDpi(x + bounds.Left, dpi), top = ScaleToDpi(y + bounds.Top, dpi);
  return TBounds{left - parentLeft, top - parentTop, ScaleToDpi(x + bounds.Left + bounds.Width, dpi) - left,
                 ScaleToDpi(y + bounds.Top + bounds.Height, dpi) - top};
}

// A font's character height of the 96-DPI layout at the given DPI, rounded
// down: text then never grows more than the controls around it.
inline int ScaleFontHeight(int pixels, int dpi) { return pixels * dpi / kDesignDpi; }

// Declares the process DPI aware: per monitor (version 2) where the system
// has it, system aware otherwise. Without it the system would stretch the
// program's 96-DPI pixels. Call before the first window.
void DeclareDpiAwareness();

// The DPI a window is shown at: its monitor's for a per-monitor aware
// program, the system's otherwise.
int WindowDpi(HWND window);
