// The committed GIF pictures, checked byte by byte against what the windows
// and the GIF reader expect of them.
#include <gtest/gtest.h>

#include <algorithm>

#include "GifWalk.h"

namespace {

struct TStill {
  const char* File;
  int Width, Height;
  int Transparent;
  bool Interlaced;
};

void PrintTo(const TStill& s, std::ostream* os) { *os << s.File; }

class StillPicture : public testing::TestWithParam<TStill> {};

TEST_P(StillPicture, HasTheLayoutTheWindowsExpect) {
  const TStill& want = GetParam();
  const TGifFacts gif = WalkGif(ReadResFile(want.File));
  EXPECT_EQ(gif.signature, "GIF89a");
  EXPECT_EQ(gif.width, want.Width);
  EXPECT_EQ(gif.height, want.Height);
  EXPECT_EQ(gif.globalMapSize, 256);
  ASSERT_EQ(gif.frames.size(), 1u);
  const TGifFrameFacts& f = gif.frames[0];
  EXPECT_EQ(f.controlCount, 1);
  EXPECT_TRUE(f.transparent);
  EXPECT_EQ(f.transparentIndex, want.Transparent);
  EXPECT_EQ(f.disposal, 2);
  EXPECT_EQ(f.interlaced, want.Interlaced);
  EXPECT_EQ(f.localMapSize, 0);
  EXPECT_EQ(f.minCodeSize, 8);
  EXPECT_FALSE(f.hasLoop);
  EXPECT_EQ(f.left, 0);
  EXPECT_EQ(f.top, 0);
  EXPECT_EQ(f.width, want.Width);
  EXPECT_EQ(f.height, want.Height);
}

TEST_P(StillPicture, PixelsFillTheFrameAndShowThroughSomewhere) {
  const TStill& want = GetParam();
  const TGifFacts gif = WalkGif(ReadResFile(want.File));
  ASSERT_EQ(gif.frames.size(), 1u);
  const auto& px = gif.frames[0].pixels;
  ASSERT_EQ(px.size(), std::size_t(want.Width) * want.Height);
  const auto clear = std::count(px.begin(), px.end(), std::uint8_t(want.Transparent));
  // A real picture: a see-through surround and a drawn part of many colours.
  EXPECT_GT(clear, 0);
  EXPECT_LT(clear, long(px.size()) * 3 / 4);
  std::vector<bool> used(256);
  for (auto i : px) used[i] = true;
  EXPECT_GT(std::count(used.begin(), used.end(), true), 40);
}

INSTANTIATE_TEST_SUITE_P(
    Res, StillPicture,
    testing::Values(TStill{"wallpaper.gif", 41, 41, 188, true}, TStill{"settings.gif", 41, 41, 235, true},
                    TStill{"engine.gif", 41, 41, 235, true}, TStill{"about_logo.gif", 270, 50, 235, true},
                    TStill{"about_icon.gif", 73, 73, 255, false}, TStill{"about_small.gif", 32, 32, 0, false}));

TEST(AnimatedLogo, LoopsForeverOverTwentyNineFullFrames) {
  const TGifFacts gif = WalkGif(ReadResFile("logo.gif"));
  EXPECT_EQ(gif.signature, "GIF89a");
  EXPECT_EQ(gif.width, 60);
  EXPECT_EQ(gif.height, 25);
  EXPECT_EQ(gif.globalMapSize, 32);
  ASSERT_EQ(gif.frames.size(), 29u);
  for (std::size_t n = 0; n < gif.frames.size(); ++n) {
    SCOPED_TRACE("frame " + std::to_string(n + 1));
    const TGifFrameFacts& f = gif.frames[n];
    EXPECT_EQ(f.hasLoop, n == 0);
    EXPECT_EQ(f.controlCount, 1);
    EXPECT_EQ(f.delay, 4);
    EXPECT_EQ(f.disposal, 2);
    EXPECT_TRUE(f.transparent);
    EXPECT_EQ(f.transparentIndex, 31);
    EXPECT_EQ(f.localMapSize, n == 0 ? 0 : 32);
    EXPECT_EQ(f.minCodeSize, 5);
    EXPECT_FALSE(f.interlaced);
    EXPECT_EQ(f.left, 0);
    EXPECT_EQ(f.top, 0);
    EXPECT_EQ(f.width, 60);
    EXPECT_EQ(f.height, 25);
    ASSERT_EQ(f.pixels.size(), 60u * 25u);
    EXPECT_TRUE(std::all_of(f.pixels.begin(), f.pixels.end(), [](std::uint8_t i) { return i < 32; }));
    EXPECT_GT(std::count(f.pixels.begin(), f.pixels.end(), std::uint8_t(31)), 0);
  }
  EXPECT_EQ(gif.frames[0].loopCount, 0);
}

TEST(AnimatedLogo, EveryFrameMoves) {
  // Frames with local maps may number the same colours differently, so
  // compare where the see-through pixels lie: the waves move every frame.
  const TGifFacts gif = WalkGif(ReadResFile("logo.gif"));
  ASSERT_EQ(gif.frames.size(), 29u);
  auto shape = [](const TGifFrameFacts& f) {
    std::vector<bool> s;
    for (auto i : f.pixels) s.push_back(i == 31);
    return s;
  };
  for (std::size_t n = 0; n < gif.frames.size(); ++n) {
    const std::size_t after = (n + 1) % gif.frames.size();
    EXPECT_NE(shape(gif.frames[n]), shape(gif.frames[after])) << "frames " << n + 1 << " and " << after + 1;
  }
}

}  // namespace
