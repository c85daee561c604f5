#pragma once
// A small GIF writer for building test pictures byte by byte: a plain LZW
// encoder with switches for the odd cases, a raw code writer for hand-made
// code sequences, and a builder for headers, extensions and frames.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace giftest {

using Bytes = std::vector<std::uint8_t>;

struct LzwOptions {
  int minCodeSize = 8;
  bool leadingClear = true;
  // When the table is full: emit a clear code (true) or keep coding with
  // the full table (false).
  bool clearWhenFull = true;
  // Emit a clear code after every this many codes (0: never).
  int clearEvery = 0;
  bool endCode = true;
};

// Codes and their widths, packed least significant bit first.
class CodeWriter {
 public:
  void Put(int code, int width);
  Bytes Finish() const;

 private:
  Bytes bytes_;
  std::uint32_t bits_ = 0;
  int count_ = 0;
};

// LZW codes of the pixel values, packed (no sub-blocks yet).
Bytes LzwEncode(const std::vector<std::uint8_t>& pixels, const LzwOptions& options = {});

// Splits data into sub-blocks: the sizes are used in turn (the last one
// repeats); a zero-length terminator follows when terminate is set.
Bytes SubBlocks(const Bytes& data, const std::vector<int>& sizes = {255}, bool terminate = true);

// Rows in the order an interlaced frame stores them.
std::vector<std::uint8_t> InterlaceRows(const std::vector<std::uint8_t>& pixels, int width, int height);

struct FrameOptions {
  int left = 0;
  int top = 0;
  bool interlaced = false;
  int localColors = 0;  // 0: no local map; else 2..256 (a power of two)
  LzwOptions lzw;
  std::vector<int> blockSizes = {255};
};

class GifBuilder {
 public:
  // Signature, screen descriptor and a global map of globalColors entries
  // (0: none).
  GifBuilder& Header(int width, int height, int globalColors = 256, const std::string& signature = "GIF89a",
                     int background = 0);
  GifBuilder& Raw(const Bytes& bytes);
  GifBuilder& GraphicControl(int disposal, int delay, int transparentIndex = -1);
  GifBuilder& Comment(const std::vector<std::string>& lines);
  // An application extension with an 11-byte identifier and the given data
  // sub-blocks.
  GifBuilder& Application(const std::string& identifier, const std::vector<Bytes>& blocks);
  GifBuilder& Loop(int count, const std::string& identifier = "NETSCAPE2.0");
  // A frame from pixels given top row first.
  GifBuilder& Image(int width, int height, const std::vector<std::uint8_t>& pixels, const FrameOptions& options = {});
  // A frame whose image data (minimum code size and sub-blocks) is given.
  GifBuilder& ImageData(int width, int height, const Bytes& data, const FrameOptions& options = {});
  GifBuilder& Trailer();

  const Bytes& Data() const { return bytes_; }

 private:
  void Descriptor(int width, int height, const FrameOptions& options);
  Bytes bytes_;
};

// A colour map of count entries where entry i is (i, 255 - i, i / 2).
Bytes ColorMap(int count);

// Pixels of a picture that compresses like a photograph: smooth with noise.
std::vector<std::uint8_t> NoisyPixels(int width, int height, int colors, unsigned seed);

}  // namespace giftest
