#pragma once
// A second LZW decoder that follows the reader's rules one value at a time,
// the slow and obvious way: one code reader, one decoder step, a value
// stack, and one fetch per pixel. Tests and the fuzzer compare the reader's
// pixels with it.
#include <cstdint>
#include <string>
#include <vector>

namespace giftest {

struct LiteralResult {
  std::vector<std::uint8_t> pixels;
  std::string error;  // the GIFException message, if decoding failed
  int warnings = 0;
};

// data holds everything from the minimum code size byte to the end of the
// stream.
LiteralResult LiteralDecode(const std::vector<std::uint8_t>& data, int width, int height, bool interlaced,
                            std::uint8_t fill);

}  // namespace giftest
