#pragma once
// How long an animation waits before each frame. Portable.
#include <cstdint>

class TGIFGraphicControlExtension;

// A frame's delay in units: its own delay when above 0, raised to the
// minimum and, for animations that run inside the draw call, capped at the
// maximum; the default delay otherwise.
int GIFFrameDelayUnits(const TGIFGraphicControlExtension* control, bool inThread);

// The clock of one animation run.
struct TGIFFrameClock {
  std::uint32_t LastTime = 0;  // millisecond clock when the last wait was planned
  int Carry = 0;               // the wait planned then

  // The wait in milliseconds before the next frame (delay in units, speed
  // in percent, now on the millisecond clock). Half of the time that the
  // previous frame ran late is taken off. -1 waits without limit (speed 0
  // or less on a painter thread).
  int NextWait(int delayUnits, int speed, bool inThread, std::uint32_t now);
};
