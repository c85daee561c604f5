#pragma once
// Flags that steer how a GIF picture is drawn and animated.
#include <cstdint>

using TGIFDrawOptions = std::uint16_t;

namespace GIFDrawOption {
inline constexpr TGIFDrawOptions PaintInThread = 0x0001;     // animate on a painter thread
inline constexpr TGIFDrawOptions PaintTransparent = 0x0002;  // leave transparent pixels undrawn
inline constexpr TGIFDrawOptions PaintAnimated = 0x0004;     // animate pictures with several frames
inline constexpr TGIFDrawOptions PaintLooped = 0x0008;       // repeat by the loop count
inline constexpr TGIFDrawOptions PaintLoopForever = 0x0010;  // repeat without end
inline constexpr TGIFDrawOptions PaintCheckTarget = 0x0020;  // stop when the target DC goes away
inline constexpr TGIFDrawOptions PaintDirect = 0x0040;       // draw onto the target, not the internal bitmap
inline constexpr TGIFDrawOptions PaintClearOnLoop = 0x0080;  // restore the background at each pass
inline constexpr TGIFDrawOptions PaintTiled = 0x0100;        // tile instead of stretching
inline constexpr TGIFDrawOptions PaintDithered = 0x0200;     // allow the dithering renderer
inline constexpr TGIFDrawOptions PaintAutoDither = 0x0400;   // dither only on palette displays

inline constexpr TGIFDrawOptions Default =
    PaintInThread | PaintTransparent | PaintAnimated | PaintLooped | PaintDithered | PaintAutoDither;
}  // namespace GIFDrawOption
