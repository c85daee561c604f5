#pragma once
// Error diffusion onto the 216-colour cube, for frames drawn on palette
// displays. Portable: no platform types.
#include <cstdint>
#include <vector>

struct TGIFCubeColor {
  std::uint8_t Index;  // r x 36 + g x 6 + b levels
  std::uint8_t Red;    // the colour actually chosen: level x 51
  std::uint8_t Green;
  std::uint8_t Blue;
};

// Nearest-level lookup in the 6 x 6 x 6 cube: level = (value + 3) / 51.
class TColorCubeLookup {
 public:
  static TGIFCubeColor Lookup(int red, int green, int blue);
};

// The cube index that transparent pixels are filled with while dithering,
// computed from the transparent colour.
std::uint8_t GIFTransparentFillIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// Floyd-Steinberg error diffusion over rows of a fixed width, in serpentine
// order: the first row left to right, then alternating. Errors are kept in
// sixteenths; each pixel passes 7/16 of its error to the next pixel and
// 3/16, 5/16 and 1/16 to the row below (previous, same and next column in
// scan direction).
//
//   ditherer.NextRow();
//   for (int i = 0; i < width; ++i) {
//     const int x = ditherer.Column();
//     if (skip(x)) ditherer.Skip(); else out[x] = ditherer.Dither(r(x), g(x), b(x));
//   }
class TFloydSteinbergDitherer {
 public:
  explicit TFloydSteinbergDitherer(int width);

  // Starts the next row (the first call starts the first).
  void NextRow();
  // The column the next pixel of the row lies in.
  int Column() const { return column_; }
  bool LeftToRight() const { return direction_ > 0; }
  // Dithers the pixel at Column() and moves on; returns the cube index.
  std::uint8_t Dither(int red, int green, int blue);
  // Moves on without spreading any error from this pixel.
  void Skip();

 private:
  int width_;
  int row_ = -1;
  int column_ = 0;
  int direction_ = 1;
  // Per channel: errors for this row (from the row above) and for the next,
  // width + 2 entries (one guard column each side), indexed column + 1.
  std::vector<int> current_[3];
  std::vector<int> below_[3];
  int carry_[3] = {0, 0, 0};
};
