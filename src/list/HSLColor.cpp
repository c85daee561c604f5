#include "list/HSLColor.h"

#include <cmath>

// long double is the x87 extended format (64-bit significand) on every
// target we build for: mingw i686/x86_64 and Linux x86_64.
static_assert(sizeof(long double) >= 10, "an extended floating-point type is required");

namespace {

using Ext = long double;

// Round an extended result to the double that holds the intermediate.
inline double Store(Ext value) { return static_cast<double>(value); }

// Round an extended product to the nearest integer, halves to even.
inline int RoundToInt(Ext value) { return static_cast<int>(std::lrintl(value)); }

const Ext Third = 1.0L / 3.0L;
const Ext TwoThirds = 2.0L / 3.0L;

void MinMaxOf3(double r, double g, double b, double& min, double& max) {
  if (r > g) {
    max = r > b ? r : b;
    min = g < b ? g : b;
  } else {
    max = g > b ? g : b;
    min = r < b ? r : b;
  }
}

int HueToChannel(double t, double m1, double m2) {
  if (t < 0)
    t = Store(Ext(t) + 1);
  else if (t > 1)
    t = Store(Ext(t) - 1);
  double v;
  if (6 * Ext(t) < 1)
    v = Store((Ext(m2) - m1) * t * 6 + m1);
  else if (2 * Ext(t) < 1)
    v = m2;
  else if (3 * Ext(t) < 2)
    v = Store((Ext(m2) - m1) * (TwoThirds - t) * 6 + m1);
  else
    v = m1;
  return RoundToInt(Ext(v) * 255);
}

}  // namespace

void RGBToHSL(TColor color, THSL& hsl) {
  const TColor rgb = ColorToRGB(color);
  const double r = Store(Ext(RedOf(rgb)) / 255);
  const double g = Store(Ext(GreenOf(rgb)) / 255);
  const double b = Store(Ext(BlueOf(rgb)) / 255);
  double min, max;
  MinMaxOf3(r, g, b, min, max);
  const double l = Store((Ext(max) + min) / 2);
  double h = 0, s = 0;
  if (max != min) {
    const double delta = Store(Ext(max) - min);
    if (l < 0.5)
      s = Store(Ext(delta) / (Ext(max) + min));
    else
      s = Store(Ext(delta) / ((2 - Ext(max)) - min));
    if (r == max)
      h = Store((Ext(g) - b) / delta);
    else if (g == max)
      h = Store((Ext(b) - r) / delta + 2);
    else
      h = Store((Ext(r) - g) / delta + 4);
    h = Store(Ext(h) / 6);
    if (h < 0) h = Store(Ext(h) + 1);
  }
  hsl.Hue = RoundToInt(Ext(h) * 358);
  hsl.Saturation = RoundToInt(Ext(s) * 255);
  hsl.Lightness = RoundToInt(Ext(l) * 255);
}

TColor HSLToRGB(const THSL& hsl) {
  const double h = Store(Ext(hsl.Hue) / 358);
  const double s = Store(Ext(hsl.Saturation) / 255);
  const double l = Store(Ext(hsl.Lightness) / 255);
  if (s == 0) {
    const TColor v = TColor(RoundToInt(Ext(l) * 255)) & 0xFF;
    return v | (v << 8) | (v << 16);
  }
  const double m2 = l <= 0.5 ? Store((1 + Ext(s)) * l) : Store((Ext(l) + s) - (Ext(l) * s));
  const double m1 = Store(2 * Ext(l) - m2);
  const TColor red = TColor(HueToChannel(Store(h + Third), m1, m2)) & 0xFF;
  const TColor green = TColor(HueToChannel(h, m1, m2)) & 0xFF;
  const TColor blue = TColor(HueToChannel(Store(h - Third), m1, m2)) & 0xFF;
  return red + green * 256 + blue * 65536;
}
