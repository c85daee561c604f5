// The composition of an animation's frames, as the painter paints them.
#include <gtest/gtest.h>

#include <climits>

#include "pictures/gif/GIFCompose.h"
#include "support/GifLoad.h"

using namespace GIFDrawOption;

namespace {

constexpr std::uint32_t Ground = 0x123456;
// Entry i of the builder's colour map as the composer stores it.
std::uint32_t Entry(int i) { return std::uint32_t(i) << 16 | std::uint32_t(255 - i) << 8 | std::uint32_t(i / 2); }

TEST(GIFCompose, DisposalTransparencyAndLoopsDecideWhatEachFrameLeaves) {
  // A 4 x 1 screen: frame 0 on the left half restores the background when
  // done; frame 1 on the right half stays; frame 2 covers the screen with
  // index 5 transparent, restores the previous look (disposal 3).
  giftest::GifBuilder gif;
  gif.Header(4, 1, 8).Loop(2);
  gif.GraphicControl(2, 3).Image(2, 1, {1, 1});
  giftest::FrameOptions right;
  right.left = 2;
  gif.GraphicControl(1, 3).Image(2, 1, {2, 2}, right);
  gif.GraphicControl(3, 3, 5).Image(4, 1, {3, 5, 5, 3});
  const giftest::Loaded loaded = giftest::LoadGif(gif.Trailer().Data());
  ASSERT_EQ(loaded.error, "");

  TGIFComposer two(*loaded.image, PaintAnimated | PaintTransparent | PaintLooped, 4, 1, Ground);
  EXPECT_EQ(two.Run(2), 2);
  EXPECT_EQ(two.Target(), (std::vector<std::uint32_t>{0, 0, Entry(2), Entry(2)}));

  TGIFComposer all(*loaded.image, PaintAnimated | PaintTransparent | PaintLooped, 4, 1, Ground);
  EXPECT_EQ(all.Run(100), 6) << "a loop count of 2 plays the frames twice";
  EXPECT_EQ(all.Target(), (std::vector<std::uint32_t>{Entry(3), 0, Entry(2), Entry(3)}));
  EXPECT_EQ(all.Waited(), 12 + 5 * 3 * 12) << "one unit before the first frame, then each frame's delay";

  // Without transparency the finished frame's area takes the background
  // colour; scaled to 8 x 2 every pixel doubles.
  TGIFComposer scaled(*loaded.image, PaintAnimated, 8, 2, Ground);
  scaled.Run(2);
  EXPECT_EQ(scaled.Target()[0], Ground);
  EXPECT_EQ(scaled.Target()[12], Entry(2));
}

TEST(GIFCompose, ArithmeticOfForgedSizesStaysInRange) {
  EXPECT_EQ(GIFMulDiv(INT_MAX, INT_MAX, 1), -1);
  EXPECT_EQ(GIFMulDiv(3, 1, 2), 2);
  EXPECT_EQ(GIFMulDiv(-3, 1, 2), -2);
  EXPECT_EQ(GIFMulDiv(5, 5, 0), -1);
  const TRect far = GIFScaledFrameRect(TRect{65535, 65535, 131070, 131070}, 1, 1, TRect{INT_MAX - 10, 0, INT_MAX, 10});
  EXPECT_EQ(far.Left, INT_MAX);
  int tiles = 0;
  GIFForEachTile(3, 3, 1, 1, TRect{0, 0, 7, 7}, [&](int, int) { ++tiles; });
  EXPECT_EQ(tiles, 4);
}

}  // namespace
