#pragma once
// The 32-bit colour value of the platform: low byte red, then green, then
// blue. A value whose top byte is 0xFF names a system colour by the index in
// its low byte.
#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor SystemColorFlag = 0xFF000000u;

constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t RedOf(TColor c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(TColor c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor c) { return std::uint8_t((c >> 16) & 0xFF); }

// Resolves a system colour to its current RGB value; plain colours come back
// unchanged. Without a windowing system (native builds) a system colour
// resolves to black.
TColor ColorToRGB(TColor color);
