// LZW decoding of frame pixels: code sizes, clear codes, table growth, data
// that ends early, and codes spread over sub-blocks.
#include <gtest/gtest.h>

#include "support/GifLoad.h"
#include "support/LiteralLzw.h"

using namespace giftest;

namespace {

Bytes OneFrame(int width, int height, const std::vector<std::uint8_t>& pixels, const FrameOptions& options = {},
               int colors = 256) {
  GifBuilder gif;
  gif.Header(width, height, colors).Image(width, height, pixels, options).Trailer();
  return gif.Data();
}

// Image data from hand-picked codes: minimum code size, then codes packed
// into sub-blocks.
Bytes CodeData(int minCodeSize, const std::vector<std::pair<int, int>>& codes, const std::vector<int>& sizes = {255},
               bool terminate = true) {
  CodeWriter writer;
  for (auto [code, width] : codes) writer.Put(code, width);
  Bytes data{std::uint8_t(minCodeSize)};
  const Bytes blocks = SubBlocks(writer.Finish(), sizes, terminate);
  data.insert(data.end(), blocks.begin(), blocks.end());
  return data;
}

Bytes WithData(int width, int height, const Bytes& data, int colors = 4) {
  GifBuilder gif;
  gif.Header(width, height, colors).ImageData(width, height, data).Trailer();
  return gif.Data();
}

}  // namespace

TEST(GIFLZW, DecodesEveryMinimumCodeSize) {
  for (int m = 2; m <= 8; ++m) {
    SCOPED_TRACE(m);
    const auto pixels = NoisyPixels(97, 61, 1 << m, unsigned(m));
    FrameOptions options;
    options.lzw.minCodeSize = m;
    const Loaded gif = LoadGif(OneFrame(97, 61, pixels, options));
    ASSERT_EQ(gif.error, "");
    EXPECT_TRUE(gif.warnings.empty());
    EXPECT_EQ(gif.Pixels(0), pixels);
  }
}

TEST(GIFLZW, LeadingClearCodeMakesNoDifference) {
  const auto pixels = NoisyPixels(40, 30, 16, 7);
  FrameOptions with;
  FrameOptions without;
  without.lzw.leadingClear = false;
  const Loaded a = LoadGif(OneFrame(40, 30, pixels, with));
  const Loaded b = LoadGif(OneFrame(40, 30, pixels, without));
  ASSERT_EQ(a.error + b.error, "");
  EXPECT_EQ(a.Pixels(0), pixels);
  EXPECT_EQ(b.Pixels(0), pixels);
}

TEST(GIFLZW, ClearCodesRestartTheTable) {
  const auto pixels = NoisyPixels(120, 50, 8, 3);
  for (int every : {1, 2, 7, 100}) {
    SCOPED_TRACE(every);
    FrameOptions options;
    options.lzw.clearEvery = every;
    const Loaded gif = LoadGif(OneFrame(120, 50, pixels, options));
    ASSERT_EQ(gif.error, "");
    EXPECT_EQ(gif.Pixels(0), pixels);
  }
  // Several clear codes in a row count as one.
  const Loaded gif = LoadGif(WithData(3, 1, CodeData(2, {{4, 3}, {4, 3}, {4, 3}, {1, 3}, {2, 3}, {3, 3}, {5, 4}})));
  ASSERT_EQ(gif.error, "");
  EXPECT_EQ(gif.Pixels(0), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(GIFLZW, FullTableKeepsDecodingWithTwelveBitCodes) {
  // Enough noise to fill the 4096-entry table many times over.
  const auto pixels = NoisyPixels(400, 300, 256, 11);
  for (bool clearWhenFull : {true, false}) {
    SCOPED_TRACE(clearWhenFull);
    FrameOptions options;
    options.lzw.clearWhenFull = clearWhenFull;
    const Loaded gif = LoadGif(OneFrame(400, 300, pixels, options));
    ASSERT_EQ(gif.error, "");
    EXPECT_TRUE(gif.warnings.empty());
    EXPECT_EQ(gif.Pixels(0), pixels);
  }
}

TEST(GIFLZW, CodeRepeatingThePreviousStringPlusItsFirstValue) {
  // 2 then the code being defined (6 = "2 2"), then that code's successor
  // (7 = "2 2 2").
  const Loaded gif = LoadGif(WithData(6, 1, CodeData(2, {{4, 3}, {2, 3}, {6, 3}, {7, 3}, {5, 4}})));
  ASSERT_EQ(gif.error, "");
  EXPECT_EQ(gif.Pixels(0), (std::vector<std::uint8_t>{2, 2, 2, 2, 2, 2}));
}

TEST(GIFLZW, CodesSpreadOverSubBlocksOfAnySize) {
  const auto pixels = NoisyPixels(150, 40, 256, 5);
  const Loaded reference = LoadGif(OneFrame(150, 40, pixels));
  ASSERT_EQ(reference.Pixels(0), pixels);
  for (const std::vector<int>& sizes :
       std::vector<std::vector<int>>{{1}, {2}, {3}, {1, 2, 1, 3, 1, 255}, {254, 1, 1, 200}, {5, 1}}) {
    SCOPED_TRACE(sizes.size());
    FrameOptions options;
    options.blockSizes = sizes;
    const Loaded gif = LoadGif(OneFrame(150, 40, pixels, options));
    ASSERT_EQ(gif.error, "");
    EXPECT_TRUE(gif.warnings.empty());
    EXPECT_EQ(gif.Pixels(0), pixels);
  }
}

TEST(GIFLZW, DataThatEndsEarlyKeepsWhatWasDecoded) {
  const auto pixels = NoisyPixels(64, 64, 256, 9);
  const Bytes data = LzwEncode(pixels);
  for (int fill : {-1, 77}) {
    SCOPED_TRACE(fill);
    // Only the first 300 data bytes, properly terminated.
    GifBuilder gif;
    gif.Header(64, 64);
    if (fill >= 0) gif.GraphicControl(2, 4, fill);
    Bytes cut{8};
    const Bytes blocks = SubBlocks(Bytes(data.begin(), data.begin() + 300));
    cut.insert(cut.end(), blocks.begin(), blocks.end());
    gif.ImageData(64, 64, cut).Trailer();
    const Loaded loaded = LoadGif(gif.Data());
    ASSERT_EQ(loaded.error, "");
    EXPECT_EQ(loaded.WarningMessages(), std::vector<std::string>(2, "Decoder bit buffer under-run"));
    // Every pixel up to the cut is right; the code cut in two may give a
    // few wrong ones; all after them keep the fill value.
    const auto got = loaded.Pixels(0);
    std::size_t same = 0;
    while (same < got.size() && got[same] == pixels[same]) ++same;
    std::size_t filled = got.size();
    while (filled > 0 && got[filled - 1] == (fill >= 0 ? fill : 0)) --filled;
    EXPECT_GT(same, 300u);
    EXPECT_LE(filled - same, 4096u);
    EXPECT_GT(got.size() - filled, 2000u);
  }
}

TEST(GIFLZW, EarlyEndCodeSkipsTheRestAndTheNextFrameStillLoads) {
  // Two values, the end code, and more sub-blocks the reader must pass over.
  GifBuilder gif;
  gif.Header(4, 2, 4);
  Bytes data = CodeData(2, {{4, 3}, {1, 3}, {3, 3}, {5, 3}}, {255}, false);
  data.insert(data.end(), {3, 9, 9, 9, 2, 9, 9, 0});
  gif.ImageData(4, 2, data);
  const std::vector<std::uint8_t> second{3, 2, 1, 0, 0, 1, 2, 3};
  FrameOptions small;
  small.lzw.minCodeSize = 2;
  gif.Image(4, 2, second, small).Trailer();
  const Loaded loaded = LoadGif(gif.Data());
  ASSERT_EQ(loaded.error, "");
  EXPECT_TRUE(loaded.warnings.empty());
  ASSERT_EQ(loaded.image->Images().Count(), 2);
  EXPECT_EQ(loaded.Pixels(0), (std::vector<std::uint8_t>{1, 3, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(loaded.Pixels(1), second);
}

TEST(GIFLZW, LastCodeFillingTheLastSubBlockExactly) {
  // Four 3-bit and three 4-bit codes fill one 3-byte sub-block to the last
  // bit; the end code is then read from the bytes carried over past the
  // terminator.
  const Loaded gif =
      LoadGif(WithData(5, 1, CodeData(2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {1, 4}, {2, 4}, {5, 4}}, {3})));
  ASSERT_EQ(gif.error, "");
  EXPECT_TRUE(gif.warnings.empty());
  EXPECT_EQ(gif.Pixels(0), (std::vector<std::uint8_t>{1, 2, 3, 1, 2}));
}

TEST(GIFLZW, OddCodesDecodeWithoutReachingOutsideTheTable) {
  // A code far beyond the next free entry repeats the previous string plus
  // its first value, like the code being defined.
  const Loaded far = LoadGif(WithData(5, 1, CodeData(2, {{4, 3}, {2, 3}, {7, 3}, {5, 3}})));
  ASSERT_EQ(far.error, "");
  EXPECT_EQ(far.Pixels(0), (std::vector<std::uint8_t>{2, 2, 2, 0, 0}));
  // The first code after a clear is placed as it is, even the end code.
  const Loaded first = LoadGif(WithData(3, 1, CodeData(2, {{4, 3}, {5, 3}, {1, 3}, {5, 3}})));
  ASSERT_EQ(first.error, "");
  EXPECT_EQ(first.Pixels(0), (std::vector<std::uint8_t>{5, 1, 0}));
}

TEST(GIFLZW, LoopingTableChainsFail) {
  // After a clear, code 7 (beyond the table) becomes the old code, so entry
  // 6 gets prefix 7; entry 7 then gets prefix 6 and the two point at each
  // other. Expanding either must stop with an error, not overflow.
  const auto loop = CodeData(2, {{4, 3}, {7, 3}, {6, 3}, {1, 3}, {6, 4}, {5, 4}});
  const Loaded gif = LoadGif(WithData(40, 1, loop));
  EXPECT_EQ(gif.error, "Circular decoder table entry");
}

TEST(GIFLZW, LargeMinimumCodeSizeIsRefused) {
  const Loaded ok = LoadGif(WithData(2, 1, CodeData(11, {{2048, 12}, {1, 12}, {2, 12}, {2049, 12}})));
  ASSERT_EQ(ok.error, "");
  EXPECT_EQ(ok.Pixels(0), (std::vector<std::uint8_t>{1, 2}));
  const Loaded bad = LoadGif(WithData(2, 1, Bytes{12, 2, 0, 0, 0}));
  EXPECT_EQ(bad.error, "Invalid GIF data");
}

TEST(GIFLZW, InterlacedRowsArriveInFourPasses) {
  for (int height = 1; height <= 20; ++height) {
    SCOPED_TRACE(height);
    // Row r holds the value r in every column.
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < height; ++y) pixels.insert(pixels.end(), 3, std::uint8_t(y));
    FrameOptions options;
    options.interlaced = true;
    const Loaded gif = LoadGif(OneFrame(3, height, pixels, options));
    ASSERT_EQ(gif.error, "");
    EXPECT_TRUE(gif.warnings.empty());
    EXPECT_EQ(gif.Pixels(0), pixels);
  }
  // Data for only the first pass: rows 0 and 8 are set, the others keep 0.
  std::vector<std::uint8_t> expect(20, 0);
  expect[0] = expect[1] = 1;
  expect[16] = expect[17] = 2;
  FrameOptions interlaced;
  interlaced.interlaced = true;
  GifBuilder gif;
  gif.Header(2, 10, 4)
      .ImageData(2, 10, CodeData(2, {{4, 3}, {1, 3}, {1, 3}, {2, 3}, {2, 4}, {5, 4}}), interlaced)
      .Trailer();
  const Loaded passes = LoadGif(gif.Data());
  ASSERT_EQ(passes.error, "");
  EXPECT_EQ(passes.Pixels(0), expect);
}

TEST(GIFLZW, AgreesWithTheValueByValueDecoder) {
  // Well-formed, damaged and random image data, cut into sub-blocks of
  // every size: the reader gives the same pixels, errors and warnings as
  // the slow decoder that fetches one value per pixel.
  std::uint32_t state = 12345;
  auto random = [&state](std::uint32_t range) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % range;
  };
  int compared = 0;
  for (int round = 0; round < 1500; ++round) {
    const int width = 1 + int(random(40));
    const int height = 1 + int(random(12));
    const bool interlaced = random(2) == 1;
    const int m = 1 + int(random(8));
    std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height));
    for (auto& p : pixels) p = std::uint8_t(random(4) == 0 ? random(1u << m) : (&p == pixels.data() ? 0 : *(&p - 1)));

    LzwOptions lzw;
    lzw.minCodeSize = m;
    lzw.leadingClear = random(4) != 0;
    lzw.clearWhenFull = random(2) == 0;
    lzw.clearEvery = random(4) == 0 ? 1 + int(random(50)) : 0;
    lzw.endCode = random(5) != 0;
    Bytes codes = random(10) == 0 ? Bytes(random(300)) : LzwEncode(pixels, lzw);
    if (random(3) == 0)
      for (auto& b : codes)
        if (random(20) == 0) b = std::uint8_t(random(256));
    if (random(4) == 0 && !codes.empty()) codes.resize(random(std::uint32_t(codes.size())));

    std::vector<int> sizes;
    for (int i = 0, n = 1 + int(random(4)); i < n; ++i) sizes.push_back(1 + int(random(random(2) ? 255 : 4)));
    Bytes data{std::uint8_t(random(20) == 0 ? random(14) : std::uint32_t(m))};
    const Bytes blocks = SubBlocks(codes, sizes, random(5) != 0);
    data.insert(data.end(), blocks.begin(), blocks.end());
    if (random(3) == 0) data.push_back(0x3B);

    const int fill = random(2) ? int(random(256)) : -1;
    GifBuilder gif;
    gif.Header(width, height, 256);
    if (fill >= 0) gif.GraphicControl(0, 0, fill);
    FrameOptions options;
    options.interlaced = interlaced;
    gif.ImageData(width, height, data, options);

    const LiteralResult expected = LiteralDecode(data, width, height, interlaced, std::uint8_t(fill >= 0 ? fill : 0));
    const Loaded loaded = LoadGif(gif.Data());
    SCOPED_TRACE(round);
    if (!expected.error.empty()) {
      ASSERT_EQ(loaded.error, expected.error);
      continue;
    }
    // Data the decoder left behind is read as further blocks, which may
    // fail; the frame itself is complete.
    ASSERT_GE(loaded.image->Images().Count(), 1) << loaded.error;
    ASSERT_EQ(loaded.Pixels(0), expected.pixels);
    int decoderWarnings = 0;
    for (const Report& report : loaded.warnings) decoderWarnings += report.sender == &loaded.Frame(0);
    ASSERT_EQ(decoderWarnings, expected.warnings);
    ++compared;
  }
  EXPECT_GT(compared, 1000);
}
