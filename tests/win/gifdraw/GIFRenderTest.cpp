// Frame bitmaps, transparency masks, palettes and the dithering renderer.
#include <gtest/gtest.h>

#include <set>

#include "GifDrawKit.h"
#include "pictures/gif/GIFDrawDither.h"
#include "pictures/gif/GIFDrawPalette.h"
#include "pictures/gif/GIFDrawRender.h"
#include "pictures/gif/GIFDrawSettings.h"
#include "pictures/gif/GIFDrawState.h"

using giftest::GifBuilder;
using namespace GIFDrawOption;

namespace {

std::vector<PALETTEENTRY> EntriesOf(HPALETTE palette) { return PaletteEntries(palette); }

// A 9 x 3 frame with index 5 transparent at a few places.
std::unique_ptr<TGIFImage> NineByThree(bool transparent) {
  std::vector<std::uint8_t> pixels(27, 1);
  for (auto [x, y] : {std::pair{0, 0}, {8, 0}, {3, 1}, {7, 2}, {8, 2}}) pixels[std::size_t(y * 9 + x)] = 5;
  return gifdraw::LoadBytes(
      GifBuilder().Header(9, 3, 16).GraphicControl(0, 0, transparent ? 5 : -1).Image(9, 3, pixels).Trailer().Data());
}

TEST(GIFRender, MaskHasOneBitPerTransparentPixelInSixteenBitRows) {
  auto image = NineByThree(true);
  TGIFSubImage& frame = image->Images()[0];
  ASSERT_NE(GIFFrameBitmap(frame), nullptr);
  HBITMAP mask = GIFFrameMask(frame);
  ASSERT_NE(mask, nullptr);
  BITMAP info{};
  GetObjectW(mask, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmWidth, 9);
  EXPECT_EQ(info.bmHeight, 3);
  ASSERT_EQ(GIFMaskRowLength(9), 2);
  std::uint8_t bits[6] = {};
  ASSERT_EQ(GetBitmapBits(mask, sizeof bits, bits), LONG(sizeof bits));
  // Most significant bit first; 1 = transparent.
  EXPECT_EQ(bits[0], 0x80);
  EXPECT_EQ(bits[1] & 0x80, 0x80);
  EXPECT_EQ(bits[2], 0x10);
  EXPECT_EQ(bits[3] & 0x80, 0x00);
  EXPECT_EQ(bits[4], 0x01);
  EXPECT_EQ(bits[5] & 0x80, 0x80);
  EXPECT_TRUE(GIFFrameHasMask(frame));
}

TEST(GIFRender, NoMaskUnlessAPixelIsTransparent) {
  auto opaque = NineByThree(false);
  EXPECT_FALSE(GIFFrameHasMask(opaque->Images()[0]));
  // Transparent colour given, but no pixel uses it.
  auto unused = gifdraw::LoadBytes(GifBuilder()
                                       .Header(4, 2, 16)
                                       .GraphicControl(0, 0, 9)
                                       .Image(4, 2, std::vector<std::uint8_t>(8, 3))
                                       .Trailer()
                                       .Data());
  EXPECT_NE(GIFFrameBitmap(unused->Images()[0]), nullptr);
  EXPECT_FALSE(GIFFrameHasMask(unused->Images()[0]));
}

TEST(GIFRender, TheMaskTestRendersOnceAndTheBitmapIsKept) {
  auto image = NineByThree(true);
  TGIFSubImage& frame = image->Images()[0];
  EXPECT_TRUE(GIFFrameHasMask(frame));  // renders to find out
  TBitmap* first = GIFFrameBitmap(frame);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(GIFFrameHasMask(frame));
  EXPECT_EQ(GIFFrameBitmap(frame), first);
}

TEST(GIFRender, PlainBitmapHoldsTheFrameIndicesAndColours) {
  const auto pixels = giftest::NoisyPixels(23, 7, 32, 11);
  auto image = gifdraw::LoadBytes(
      GifBuilder().Header(30, 10, 4).Image(23, 7, pixels, gifdraw::LocalColors(32)).Trailer().Data());
  TGIFSubImage& frame = image->Images()[0];
  TBitmap* bitmap = GIFFrameBitmap(frame);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->GetWidth(), 23);
  EXPECT_EQ(bitmap->GetHeight(), 7);
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf8bit);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 23; ++x) {
      ASSERT_EQ(bitmap->ScanLine(y)[x], frame.ScanLine(y)[x]) << x << "," << y;
      ASSERT_EQ(gifdraw::PixelOf(*bitmap, x, y), gifdraw::FrameColor(frame, x, y)) << x << "," << y;
    }
  EXPECT_EQ(GIFFrameMask(frame), nullptr);
  EXPECT_EQ(GIFFrameBitmap(frame), bitmap);  // built once
}

TEST(GIFRender, LargeFramesEndUpWithTheirEightBitRows) {
  // Above 500000 pixels the bitmap starts small; the rows replace that.
  const int w = 1000, h = 501;
  const auto pixels = giftest::NoisyPixels(w, h, 256, 3);
  auto image = gifdraw::LoadBytes(GifBuilder().Header(w, h, 256).Image(w, h, pixels).Trailer().Data());
  TGIFSubImage& frame = image->Images()[0];
  TBitmap* bitmap = GIFFrameBitmap(frame);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(bitmap->GetWidth(), w);
  EXPECT_EQ(bitmap->GetHeight(), h);
  for (int y : {0, 250, 500}) {
    for (int x : {0, 1, 499, 999}) EXPECT_EQ(bitmap->ScanLine(y)[x], frame.ScanLine(y)[x]) << x << "," << y;
  }
}

TEST(GIFRender, EmptyFramesHaveNoBitmap) {
  // Extensions after the last image make a frame without pixels.
  auto image = gifdraw::LoadBytes(
      GifBuilder().Header(4, 4, 4).Image(4, 4, std::vector<std::uint8_t>(16, 1)).Comment({"end"}).Trailer().Data());
  ASSERT_EQ(image->Images().Count(), 2);
  EXPECT_EQ(GIFFrameBitmap(image->Images()[1]), nullptr);
}

TEST(GIFRender, ProgressOfRenderingAndItsAbort) {
  auto image = NineByThree(true);
  std::vector<int> stages;
  image->OnProgress = [&](TGraphic&, int stage, int, bool) { stages.push_back(stage); };
  ASSERT_NE(GIFFrameBitmap(image->Images()[0]), nullptr);
  EXPECT_EQ(stages,
            (std::vector<int>{TGIFImage::ProgressStarting, TGIFImage::ProgressRunning, TGIFImage::ProgressEnding}));

  // A handler that aborts leaves the frame without a bitmap, silently.
  auto other = NineByThree(true);
  other->OnProgress = [](TGraphic&, int stage, int, bool) {
    if (stage == TGIFImage::ProgressRunning) throw EAbort();
  };
  EXPECT_EQ(GIFFrameBitmap(other->Images()[0]), nullptr);
}

// --- palettes ---------------------------------------------------------

TEST(GIFPalette, GlobalMapBecomesThePicturePaletteAndIsCached) {
  auto image = gifdraw::LoadBytes(GifBuilder().Header(2, 2, 8).Image(2, 2, {0, 1, 2, 3}).Trailer().Data());
  HPALETTE palette = static_cast<HPALETTE>(image->GetPalette());
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(image->GetPalette(), palette);
  const auto entries = EntriesOf(palette);
  ASSERT_EQ(entries.size(), 8u);
  EXPECT_EQ(RGB(entries[3].peRed, entries[3].peGreen, entries[3].peBlue), gifdraw::BuilderColor(3));
  EXPECT_EQ(entries[3].peFlags, PC_NOCOLLAPSE);
  // A frame without a map of its own uses it, without a copy of its own.
  TGIFSubImage& frame = image->Images()[0];
  EXPECT_EQ(GIFFramePalette(frame), palette);
  EXPECT_EQ(FrameRender(frame).Palette, nullptr);
}

TEST(GIFPalette, LocalMapsMakeFramePalettesOfTheirOwn) {
  auto image = gifdraw::LoadBytes(GifBuilder()
                                      .Header(2, 2, 0)
                                      .Image(2, 2, {0, 1, 2, 3}, gifdraw::LocalColors(4))
                                      .Image(2, 2, {0, 1, 2, 3}, gifdraw::LocalColors(16))
                                      .Trailer()
                                      .Data());
  TGIFSubImage& first = image->Images()[0];
  TGIFSubImage& second = image->Images()[1];
  HPALETTE a = GIFFramePalette(first);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(GIFFramePalette(first), a);
  EXPECT_EQ(EntriesOf(a).size(), 4u);
  EXPECT_EQ(EntriesOf(GIFFramePalette(second)).size(), 16u);
  // No global map: the picture takes frame 0's.
  EXPECT_EQ(image->GetPalette(), a);
  // Once the bitmap exists, its palette is the frame's.
  TBitmap* bitmap = GIFFrameBitmap(second);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(GIFFramePalette(second), bitmap->PaletteHandle());
}

TEST(GIFPalette, NoColourTableAnywhereIsAnErrorEveryTime) {
  auto image = gifdraw::LoadBytes(GifBuilder().Header(2, 2, 0).Image(2, 2, {0, 1, 1, 0}).Trailer().Data());
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      image->GetPalette();
      ADD_FAILURE() << "no error";
    } catch (const GIFException& e) {
      EXPECT_STREQ(e.what(), "No global or local color table defined");
    }
  }
  auto canvas = gifdraw::FilledBitmap(4, 4, RGB(0, 0, 0));
  EXPECT_THROW(image->Draw(canvas->Canvas(), TRect{0, 0, 2, 2}), GIFException);
}

TEST(GIFPalette, DitheringUsesTheColourCube) {
  auto image = gifdraw::LoadBytes(GifBuilder().Header(2, 2, 8).Image(2, 2, {0, 1, 2, 3}).Trailer().Data());
  image->DrawOptions = PaintDithered;  // dither whatever the display
  const auto entries = EntriesOf(static_cast<HPALETTE>(image->GetPalette()));
  ASSERT_EQ(entries.size(), 216u);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) {
        const PALETTEENTRY& e = entries[std::size_t(r * 36 + g * 6 + b)];
        ASSERT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), RGB(r * 51, g * 51, b * 51));
        ASSERT_EQ(e.peFlags, 0);
      }
  EXPECT_EQ(EntriesOf(GIFFramePalette(image->Images()[0])).size(), 216u);
}

TEST(GIFPalette, AutoDitherFollowsTheDisplayFlag) {
  const bool saved = GIFAutoDither();
  SetGIFAutoDither(false);
  EXPECT_FALSE(GIFShouldDither(GIFDrawOption::Default));
  EXPECT_TRUE(GIFShouldDither(PaintDithered));
  EXPECT_FALSE(GIFShouldDither(PaintAutoDither));
  SetGIFAutoDither(true);
  EXPECT_TRUE(GIFShouldDither(GIFDrawOption::Default));
  SetGIFAutoDither(saved);
}

// --- dithering ----------------------------------------------------------

TEST(GIFDither, CubeLookupAndTransparentFill) {
  EXPECT_EQ(TColorCubeLookup::Lookup(47, 0, 0).Index, 0);
  const TGIFCubeColor up = TColorCubeLookup::Lookup(48, 255, 102);
  EXPECT_EQ(up.Index, 1 * 36 + 5 * 6 + 2);
  EXPECT_EQ(up.Red, 51);
  EXPECT_EQ(up.Green, 255);
  EXPECT_EQ(up.Blue, 102);
  EXPECT_EQ(GIFTransparentFillIndex(0, 0, 0), 1);
  EXPECT_EQ(GIFTransparentFillIndex(255, 255, 255), 216);
  EXPECT_EQ(GIFTransparentFillIndex(30, 30, 30), 0 + 4 + 21 + 1);
}

TEST(GIFDither, ErrorsSpreadInSixteenthsInSerpentineOrder) {
  TFloydSteinbergDitherer ditherer(2);
  ditherer.NextRow();
  EXPECT_TRUE(ditherer.LeftToRight());
  EXPECT_EQ(ditherer.Column(), 0);
  EXPECT_EQ(ditherer.Dither(40, 0, 0), 0);   // 40 -> level 0, error 40
  EXPECT_EQ(ditherer.Dither(40, 0, 0), 36);  // 40 + (7 x 40 + 8) / 16 = 58 -> level 1
  ditherer.NextRow();
  EXPECT_FALSE(ditherer.LeftToRight());
  EXPECT_EQ(ditherer.Column(), 1);
  // (1): 40 + (5 x 7 + 1 x 40 + 8) / 16 = 45 -> 0, error 45
  EXPECT_EQ(ditherer.Dither(40, 0, 0), 0);
  // (0): 40 + (5 x 40 + 3 x 7 + 7 x 45 + 8) / 16 = 74 -> level 1
  EXPECT_EQ(ditherer.Dither(40, 0, 0), 36);
}

TEST(GIFDither, DitheredFramesUseOnlyTheCubeAndTheTransparentFill) {
  const int w = 64, h = 48;
  auto pixels = giftest::NoisyPixels(w, h, 256, 5);
  for (std::size_t i = 0; i < pixels.size(); i += 7) pixels[i] = 200;  // transparent
  auto image =
      gifdraw::LoadBytes(GifBuilder().Header(w, h, 256).GraphicControl(0, 0, 200).Image(w, h, pixels).Trailer().Data());
  image->DrawOptions = PaintDithered | PaintTransparent;
  TGIFSubImage& frame = image->Images()[0];
  TBitmap* bitmap = GIFFrameBitmap(frame);
  ASSERT_NE(bitmap, nullptr);
  const TGIFColor& t = frame.ActiveColorMap().Entry(200);
  const std::uint8_t fill = GIFTransparentFillIndex(t.Red, t.Green, t.Blue);
  ASSERT_NE(GIFFrameMask(frame), nullptr);
  std::vector<std::uint8_t> maskBits(std::size_t(GIFMaskRowLength(w)) * h);
  GetBitmapBits(GIFFrameMask(frame), LONG(maskBits.size()), maskBits.data());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint8_t index = bitmap->ScanLine(y)[x];
      const bool masked = maskBits[std::size_t(y * GIFMaskRowLength(w) + x / 8)] & (0x80 >> (x % 8));
      if (frame.ScanLine(y)[x] == 200) {
        ASSERT_EQ(index, fill);
        ASSERT_TRUE(masked);
      } else {
        ASSERT_LT(index, 216);
        ASSERT_FALSE(masked);
      }
    }
}

TEST(GIFDither, AnEvenAreaKeepsItsAverageColour) {
  // Entry 25 is (25, 230, 12): no channel lies on a level of the cube.
  const int w = 40, h = 40;
  auto image = gifdraw::LoadBytes(
      GifBuilder().Header(w, h, 256).Image(w, h, std::vector<std::uint8_t>(w * h, 25)).Trailer().Data());
  image->DrawOptions = PaintDithered;
  TBitmap* bitmap = GIFFrameBitmap(image->Images()[0]);
  ASSERT_NE(bitmap, nullptr);
  double sum[3] = {};
  std::set<int> used;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int index = bitmap->ScanLine(y)[x];
      used.insert(index);
      sum[0] += index / 36 * 51;
      sum[1] += index / 6 % 6 * 51;
      sum[2] += index % 6 * 51;
    }
  EXPECT_GT(used.size(), 1u);
  EXPECT_NEAR(sum[0] / (w * h), 25, 3);
  EXPECT_NEAR(sum[1] / (w * h), 230, 3);
  EXPECT_NEAR(sum[2] / (w * h), 12, 3);
}

}  // namespace
