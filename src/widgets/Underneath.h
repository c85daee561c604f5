#pragma once
// Transparent controls show what lies beneath them: the parent's background
// and every sibling below them in the z-order. Instead of relying on paint
// order between overlapping windows, a transparent control renders that
// backdrop into its own (off-screen) DC and draws its content on top.
#include <windows.h>

#include "gui/Color.h"

// Paints into dc (whose origin is self's client origin) the parent's
// background and the visible siblings below self that overlap it.
void PaintUnderneath(HWND self, HDC dc);

// A system colour value (top byte 0xFF, index in the low byte).
constexpr TColor SystemColor(int index) { return SystemColorFlag | static_cast<TColor>(index & 0xFF); }

// The colour as a GDI COLORREF, system colours resolved.
inline COLORREF ToColorRef(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }
