#include "pictures/gif/GIFPaintTiming.h"

#include <algorithm>
#include <limits>

#include "pictures/gif/GIFDrawSettings.h"
#include "pictures/gif/GIFGraphicControl.h"

namespace {

// a x b / c rounded half away from zero, as the system's MulDiv.
std::int64_t MulDivRounded(std::int64_t a, std::int64_t b, std::int64_t c) {
  const std::int64_t n = a * b;
  return n >= 0 ? (2 * n + c) / (2 * c) : -((-2 * n + c) / (2 * c));
}

constexpr int LongestWait = GIFDrawSetting::MaximumDelay * GIFDrawSetting::DelayUnit;

}  // namespace

int GIFFrameDelayUnits(const TGIFGraphicControlExtension* control, bool inThread) {
  if (!control || control->Delay() <= 0) return GIFDrawSetting::DefaultDelay;
  int delay = std::max(control->Delay(), GIFDrawSetting::MinimumDelay);
  if (!inThread) delay = std::min(delay, GIFDrawSetting::MaximumDelay);
  return delay;
}

int TGIFFrameClock::NextWait(int delayUnits, int speed, bool inThread, std::uint32_t now) {
  int wait;
  if (speed >= 1) {
    const std::int64_t late = std::int64_t(std::uint32_t(now - LastTime)) - Carry;
    const std::int64_t planned = std::int64_t(delayUnits) * GIFDrawSetting::DelayUnit - late / 2;
    const std::int64_t result = MulDivRounded(planned, 100, speed);
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max()) {
      wait = LongestWait;
      Carry = 0;
    } else {
      wait = int(result);
      Carry = wait;
    }
  } else {
    wait = inThread ? -1 : LongestWait;
  }
  LastTime = now;
  return wait;
}
