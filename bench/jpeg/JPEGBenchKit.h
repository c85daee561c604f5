#pragma once
// What the JPEG benchmarks share: a photo-like test file, the bare libjpeg
// decode they are measured against, and a best-of timer. Portable.
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// A width x height JPEG file (quality 90, 4:2:0) with the entropy of a real
// photograph: smooth gradients with fine noise rather than flat colour.
std::vector<std::uint8_t> MakePhoto(int width, int height);

// The reference: the textbook libjpeg loop (libjpeg's own memory source,
// one row per call) decoding to blue, green, red at 1/denom scale into a
// newly allocated buffer of 4-byte aligned rows, as a bitmap has them.
struct TBareDecode {
  int Width = 0;
  int Height = 0;
  std::unique_ptr<std::uint8_t[]> Pixels;
};
TBareDecode BareDecode(const std::vector<std::uint8_t>& file, unsigned denom = 1);

// The shortest of repeats runs, in milliseconds.
double BestMilliseconds(int repeats, const std::function<void()>& run);
// The shortest of repeats runs of each, run in turns, so that a busy moment
// of a shared machine falls on both alike.
std::pair<double, double> BestMillisecondsOfBoth(int repeats, const std::function<void()>& first,
                                                 const std::function<void()>& second);
