#pragma once
// A plain GIF LZW decoder of the usual kind, as the yardstick for the
// reader: a bit accumulator over the sub-blocks, prefix/suffix tables, and
// each code expanded onto a stack and copied out value by value.
#include <cstddef>
#include <cstdint>

// data: minimum code size byte followed by the sub-blocks. Returns the
// number of pixels written.
std::size_t ReferenceDecode(const std::uint8_t* data, std::size_t size, std::uint8_t* out, int width, int height,
                            bool interlaced);
