#pragma once
// Settings that all GIF pictures share when they are drawn.
#include "pictures/gif/GIFDrawOptions.h"

namespace GIFDrawSetting {
// One unit of a frame's stored delay lasts this many milliseconds at speed
// 100. A little longer than the nominal 10 ms: timers of the system tick
// coarsely, and animations look hurried at the nominal pace.
inline constexpr int DelayUnit = 12;
// Frames without a delay of their own.
inline constexpr int DefaultDelay = 10;
// Smaller non-zero delays are raised to this (many pictures store 1 or 2
// and mean "as fast as sensible").
inline constexpr int MinimumDelay = 3;
// Longest delay of an animation that runs inside the draw call.
inline constexpr int MaximumDelay = 1000;
// Above this many pixels a frame bitmap starts as 1 bit per pixel until its
// rows are stored.
inline constexpr long long LargeFramePixels = 500000;
}  // namespace GIFDrawSetting

// The screen shows 8 bits per pixel or fewer (read once from the screen).
bool GIFPaletteDisplay();
// Whether PaintAutoDither lets frames dither; starts equal to
// GIFPaletteDisplay.
bool GIFAutoDither();
void SetGIFAutoDither(bool value);

// Whether frames drawn with these options go through the dithering
// renderer.
bool GIFShouldDither(TGIFDrawOptions options);
