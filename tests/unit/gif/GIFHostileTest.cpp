// Pictures made to hurt: a load that is called off stops at once, a file is
// read in a few large reads without searching back and forth, and what a
// load allocates stays within the picture's limit however the file is cut
// into pieces.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "support/GifLoad.h"

// Every allocation of this test program is counted, so that the real peak
// of a load can be held against its limit.
namespace {
std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};
}  // namespace

void* operator new(std::size_t size) {
  auto* block = static_cast<std::size_t*>(std::malloc(size + 16));
  if (!block) throw std::bad_alloc();
  block[0] = size;
  const std::size_t now = live.fetch_add(size) + size;
  for (std::size_t high = peak.load(); now > high && !peak.compare_exchange_weak(high, now);) {
  }
  return reinterpret_cast<char*>(block) + 16;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - 16);
  live.fetch_sub(block[0]);
  std::free(block);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

using namespace giftest;

namespace {

// A frame of width 0, which takes the screen's size and warns first: the
// warning marks the moment its pixels start. Without image data the frame
// is filled whole.
Bytes ScreenFrame(int width, int height, const Bytes& imageData) {
  GifBuilder gif;
  gif.Header(width, height, 256).Raw({',', 0, 0, 0, 0, 0, 0, 0, 0, 0}).Raw(imageData);
  return gif.Data();
}

Bytes ImageData(const std::vector<std::uint8_t>& pixels, int blockSize) {
  Bytes data{8};
  const Bytes blocks = SubBlocks(LzwEncode(pixels), {blockSize});
  data.insert(data.end(), blocks.begin(), blocks.end());
  return data;
}

// Loads bytes with a cancel flag that the first warning sets (when callOff);
// true when the load stopped with EAbort.
bool Aborted(const Bytes& bytes, bool callOff) {
  TCancelFlag flag;
  TCancelScope scope(&flag);
  TGIFImage image;
  image.OnWarning = [&](TGIFImage&, TGIFItem*, int, const std::string&) {
    if (callOff) flag.Set();
  };
  TBufferStream stream(bytes.data(), bytes.size());
  try {
    image.LoadFromStream(stream);
  } catch (const EAbort&) {
    return true;
  }
  return false;
}

}  // namespace

TEST(GIFHostile, ALoadCalledOffStopsInsideItsImageDataAndItsFill) {
  // Image data in one-byte sub-blocks that fills the frame whole, and a
  // frame of 12 megapixels that no data reaches. The flag is set when the
  // frame's pixels start, and nothing after them looks at it: only the
  // sub-blocks and the rows of the fill can stop the load.
  const int width = 600, height = 400;
  const Bytes tinyBlocks = ScreenFrame(width, height, ImageData(NoisyPixels(width, height, 256, 3), 1));
  const Bytes unreached = ScreenFrame(4000, 3000, {});
  for (const Bytes* bytes : {&tinyBlocks, &unreached}) {
    EXPECT_FALSE(Aborted(*bytes, false));
    EXPECT_TRUE(Aborted(*bytes, true));
  }
}

// Counts what a reader asks of a stream, which may claim to be larger than
// it is.
class TCountingStream : public TStream {
 public:
  explicit TCountingStream(TStream& inner, std::int64_t claimed = -1) : inner_(inner), claimed_(claimed) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    ++Reads;
    return inner_.Read(buffer, count);
  }
  std::size_t Write(const void* buffer, std::size_t count) override { return inner_.Write(buffer, count); }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    ++Seeks;
    return claimed_ >= 0 && origin == TSeekOrigin::End ? claimed_ : inner_.Seek(offset, origin);
  }
  int Reads = 0;
  int Seeks = 0;

 private:
  TStream& inner_;
  std::int64_t claimed_;
};

TEST(GIFHostile, AFileIsReadInOnePieceOrNotAtAllWhenLargerThanAPictureMayBe) {
  const auto pixels = NoisyPixels(300, 200, 256, 5);
  GifBuilder gif;
  gif.Header(300, 200, 256)
      .Comment({"a", "b"})
      .Application("HOSTILE0001", {{1}, {2}})
      .ImageData(300, 200, ImageData(pixels, 1));
  const Bytes bytes = gif.Trailer().Data();
  TMemoryStream memory(bytes);
  TCountingStream stream(memory);
  TGIFImage image;
  image.LoadFromStream(stream);
  ASSERT_EQ(image.Images().Count(), 1);
  EXPECT_EQ(std::vector<std::uint8_t>(image.Images()[0].Data(), image.Images()[0].Data() + pixels.size()), pixels);
  EXPECT_EQ(stream.Position(), std::int64_t(bytes.size()));
  EXPECT_LE(stream.Reads, 2);
  EXPECT_LE(stream.Seeks, 8);

  TCountingStream huge(memory, std::int64_t(TGIFImage::DefaultMemoryLimit) + 1);
  huge.SetPosition(0);
  try {
    image.LoadFromStream(huge);
    ADD_FAILURE() << "a file larger than the limit loaded";
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), "Image is too large");
  }
  EXPECT_EQ(huge.Reads, 0);
}

TEST(GIFHostile, WhatALoadAllocatesStaysWithinItsLimit) {
  constexpr std::size_t limit = 4 << 20;
  // A picture of one pixel with a head, a piece many times and a tail.
  const auto file = [](const Bytes& head, const Bytes& piece, std::size_t times, const Bytes& tail) {
    Bytes out = GifBuilder().Header(1, 1, 2).Data();
    out.insert(out.end(), head.begin(), head.end());
    for (std::size_t i = 0; i < times; ++i) out.insert(out.end(), piece.begin(), piece.end());
    out.insert(out.end(), tail.begin(), tail.end());
    out.push_back(';');
    return out;
  };
  // About one and a half megabytes each: application data and comment
  // lines of one byte, extensions without data, frames of one pixel.
  const std::vector<Bytes> files = {
      file({'!', 0xFF, 11, 'H', 'O', 'S', 'T', 'I', 'L', 'E', '0', '0', '0', '1'}, {1, 'x'}, 700000, {0}),
      file({'!', 0xFE}, {1, 'x'}, 700000, {0}),
      file({}, {'!', 0xFE, 0}, 500000, {}),
      file({}, {',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0}, 100000, {}),
  };
  LoadGif(files[0]);  // what the first load sets up for good
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    TGIFImage image;
    image.MemoryLimit = limit;
    TBufferStream stream(files[i].data(), files[i].size());
    const std::size_t before = live.load();
    peak.store(before);
    std::string error;
    try {
      image.LoadFromStream(stream);
    } catch (const GIFException& e) {
      error = e.what();
    }
    EXPECT_TRUE(error.empty() || error == "Invalid GIF data") << error;
    EXPECT_LE(peak.load() - before, limit);
  }
}
