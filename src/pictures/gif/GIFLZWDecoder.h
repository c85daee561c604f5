#pragma once
// LZW decoding of one frame's image data.
//
// Codes are expanded through the prefix/suffix table. To keep the common
// case fast, every entry whose string already stands in one piece in the
// pixel buffer remembers where; such an entry is copied from there instead
// of being walked. Entries whose meaning is not settled (codes read beyond
// the table, odd first codes after a clear) switch to walking until the next
// clear code, so both ways always give the same pixels.
#include <cstddef>
#include <cstdint>

#include "pictures/gif/GIFCodeReader.h"
#include "pictures/gif/GIFPixelPlacer.h"

class TGIFLZWDecoder {
 public:
  static constexpr int MaxBits = 12;
  static constexpr int TableSize = 1 << MaxBits;
  // Largest minimum code size whose clear and end codes fit into the table.
  static constexpr int MaxMinCodeSize = 11;

  // minCodeSize above MaxMinCodeSize raises GIFException("Invalid GIF data").
  TGIFLZWDecoder(TGIFCodeReader& reader, int minCodeSize);

  // Fills the frame's pixels until they are all placed or the data ends,
  // then fetches (and drops) one more value, which normally meets the end
  // code and skips what is left of the data.
  void Decode(TGIFPixelPlacer& out);

 private:
  int NextCode();
  void Run(TGIFPixelPlacer& out);
  int FastRun(TGIFPixelPlacer& out);
  void ResetTable();
  void StartAfterClear(int code, TGIFPixelPlacer& out);
  void Step(int code, TGIFPixelPlacer& out);
  // Adds the table entry that a decoded code makes and remembers the code's
  // output.
  void Added(int code, std::uint8_t first, std::uint8_t* start, std::size_t length, bool whole,
             const std::uint8_t* base);
  void EndCode();
  void ExtraFetch();
  // Expands code into the tail of the stack; returns its first value.
  const std::uint8_t* Expand(int code, std::size_t& count);

  TGIFCodeReader& reader_;
  const int minCodeSize_;
  const int clear_;
  const int end_;
  int width_ = 0;
  int threshold_ = 0;
  int next_ = 0;
  int old_ = 0;
  std::uint8_t first_ = 0;
  bool started_ = false;
  bool ended_ = false;
  // Codes since the last clear may not mean what they produced.
  bool walkOnly_ = false;
  // Values that did not fit into the frame any more.
  std::size_t dropped_ = 0;

  // The previous code's output, when it stands in one piece.
  const std::uint8_t* prev_ = nullptr;
  std::size_t prevLength_ = 0;
  bool prevWhole_ = false;

  std::uint16_t prefix_[TableSize];
  std::uint8_t suffix_[TableSize];
  // Where an entry's string stands in the pixel buffer (offset) and its
  // length; length 0 when it has to be walked.
  std::uint32_t where_[TableSize];
  std::uint16_t length_[TableSize];
  std::uint8_t stack_[TableSize];
};
