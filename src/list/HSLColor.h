#pragma once
// Conversion between the platform colour value and an integer hue /
// saturation / lightness triple. Hue runs 0..358, the other two 0..255.
// The arithmetic keeps every intermediate as a double computed with a
// 64-bit significand, and rounds the final products straight from extended
// precision, because the integer results at half-way points depend on it.
#include "gui/Color.h"

struct THSL {
  int Hue;
  int Saturation;
  int Lightness;
};

void RGBToHSL(TColor color, THSL& hsl);
TColor HSLToRGB(const THSL& hsl);
