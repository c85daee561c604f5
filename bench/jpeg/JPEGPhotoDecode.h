#pragma once
// The picture's own decode of a file's bytes, as the photo benchmark times
// it: under Windows the picture class into a new bitmap, natively the
// portable decoder into a new raster. Each call decodes into fresh memory, as
// a picture does whenever it is shown anew.
#include <cstdint>
#include <vector>

// Loads the picture without decoding it (what loading alone costs).
void OursLoad(const std::vector<std::uint8_t>& file);
// Loads and decodes the whole picture at full size.
void OursFullDecode(const std::vector<std::uint8_t>& file);
// Decodes the picture as the preview of a box of the given size does, and
// returns the scale denominator it chose (1, 2, 4 or 8).
unsigned OursPreviewDecode(const std::vector<std::uint8_t>& file, int boxWidth, int boxHeight);
