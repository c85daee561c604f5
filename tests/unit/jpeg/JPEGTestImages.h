#pragma once
// JPEG files made at test time with libjpeg's compressor.
#include <cstdint>
#include <vector>

#include "pictures/jpeg/JPEGSettings.h"

// A width x height picture in four quadrants: red top left, green top right,
// blue bottom left, white bottom right.
std::vector<std::uint8_t> QuadrantJPEG(int width, int height, const TJPEGEncodeSettings& settings = {});
// A smooth colour ramp, for tests that need many colours.
std::vector<std::uint8_t> RampJPEG(int width, int height, const TJPEGEncodeSettings& settings = {});

TJPEGColor QuadrantColor(int x, int y, int width, int height);
// Channels within tolerance of each other.
bool Near(const TJPEGColor& a, const TJPEGColor& b, int tolerance = 16);
