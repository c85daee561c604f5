#include "pictures/gif/GIFDrawDither.h"

#include <algorithm>
#include <cmath>

namespace {

int Level(int value) { return (value + 3) / 51; }

}  // namespace

TGIFCubeColor TColorCubeLookup::Lookup(int red, int green, int blue) {
  const int r = Level(red);
  const int g = Level(green);
  const int b = Level(blue);
  return TGIFCubeColor{std::uint8_t(r * 36 + g * 6 + b), std::uint8_t(r * 51), std::uint8_t(g * 51),
                       std::uint8_t(b * 51)};
}

std::uint8_t GIFTransparentFillIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  // Kept exactly as pictures drawn by earlier versions have it; the
  // transparent pixels it fills are masked out anyway.
  return std::uint8_t(blue / 51 + std::lround(6.0 * green / 51.0) + std::lround(36.0 * red / 51.0) + 1);
}

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int width) : width_(std::max(width, 0)) {
  for (int c = 0; c < 3; ++c) {
    current_[c].assign(std::size_t(width_) + 2, 0);
    below_[c].assign(std::size_t(width_) + 2, 0);
  }
}

void TFloydSteinbergDitherer::NextRow() {
  ++row_;
  if (row_ > 0) {
    for (int c = 0; c < 3; ++c) {
      current_[c].swap(below_[c]);
      std::fill(below_[c].begin(), below_[c].end(), 0);
    }
  }
  direction_ = (row_ % 2 == 0) ? 1 : -1;
  column_ = direction_ > 0 ? 0 : width_ - 1;
  for (int& carry : carry_) carry = 0;
}

std::uint8_t TFloydSteinbergDitherer::Dither(int red, int green, int blue) {
  const int at = column_ + 1;
  const int input[3] = {red, green, blue};
  int value[3];
  for (int c = 0; c < 3; ++c)
    value[c] = std::clamp(input[c] + (current_[c][std::size_t(at)] + carry_[c] + 8) / 16, 0, 255);
  const TGIFCubeColor chosen = TColorCubeLookup::Lookup(value[0], value[1], value[2]);
  const int chosenLevel[3] = {chosen.Red, chosen.Green, chosen.Blue};
  for (int c = 0; c < 3; ++c) {
    const int error = value[c] - chosenLevel[c];
    carry_[c] = error * 7;
    below_[c][std::size_t(at - direction_)] += error * 3;
    below_[c][std::size_t(at)] += error * 5;
    below_[c][std::size_t(at + direction_)] += error;
  }
  column_ += direction_;
  return chosen.Index;
}

void TFloydSteinbergDitherer::Skip() {
  for (int& carry : carry_) carry = 0;
  column_ += direction_;
}
