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

// A width x height CMYK file in four quadrants of ink (cyan top left,
// magenta top right, yellow bottom left, black bottom right), written by
// libjpeg's compressor as CMYK or YCCK. adobe: with the APP14 marker and
// inverted values, as Adobe applications write them; otherwise plain CMYK
// without the marker.
std::vector<std::uint8_t> InkJPEG(int width, int height, bool ycck, bool adobe);
// The colour a quadrant's ink shows as.
TJPEGColor InkColor(int x, int y, int width, int height);
