#pragma once
// Reads variable-width LZW codes from a frame's image data sub-blocks.
//
// The buffer keeps the last two bytes of the previous sub-block in front of
// the current one, so a code that spans two sub-blocks is read without
// gathering the whole data first. The sub-blocks are taken straight from
// the picture's bytes in memory: a file of one-byte sub-blocks costs a few
// instructions per sub-block, not a stream call per byte.
#include <cstdint>

#include "gui/Cancel.h"
#include "gui/Stream.h"

class TGIFItem;

class TGIFCodeReader {
 public:
  // Reads from the stream's position on and moves it along. Warnings go to
  // owner (the frame being read). Each sub-block is a cancellation point of
  // the picture's load.
  TGIFCodeReader(TBufferStream& stream, TGIFItem& owner);

  // The next code of width bits (1 to 12), least significant bit first;
  // -1 when the data has run out.
  int Read(int width) {
    if (curBit_ + width >= lastBit_ && !Fill(width)) return -1;
    const int bit = curBit_;
    curBit_ += width;
    const std::uint8_t* p = buffer_ + (bit >> 3);
    const std::uint32_t raw = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
    return int((raw >> (bit & 7)) & ((1u << width) - 1));
  }

  // True once the zero-length sub-block that ends the data has been read.
  bool ZeroBlockSeen() const { return zeroBlockSeen_; }
  // Skips the sub-blocks that are left, up to and including the terminator
  // (or to the end of the stream). Nothing more is read afterwards.
  void SkipRest();

 private:
  // The decoder's fast loop reads codes straight from the buffer.
  friend class TGIFLZWDecoder;

  // Brings in the next sub-block; false when the data has run out.
  bool Fill(int width);
  bool Refill();

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t& pos_;
  TGIFItem& owner_;
  const TCancelFlag* cancel_;
  int curBit_ = 0;
  int lastBit_ = 0;
  int lastByte_ = 2;
  bool done_ = false;
  bool zeroBlockSeen_ = false;
  // 2 carried bytes, up to 255 data bytes, and room for reading 3 bytes at
  // the last bit.
  std::uint8_t buffer_[2 + 255 + 4] = {};
};
