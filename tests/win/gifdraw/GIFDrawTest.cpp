// Drawing pictures and frames: transparency, stretching, tiling, and the
// frame's place inside the drawn rectangle.
#include <gtest/gtest.h>

#include "GifDrawKit.h"
#include "pictures/gif/GIFDraw.h"
#include "pictures/gif/GIFDrawFrame.h"
#include "pictures/gif/GIFDrawState.h"

using giftest::GifBuilder;
using namespace GIFDrawOption;

namespace {

constexpr COLORREF Ground = RGB(3, 140, 77);

int TransparentIndexOf(const TGIFSubImage& frame) { return frame.GraphicControlExtension()->TransparentColorIndex(); }

// Checks that canvas shows frame scaled by factor at (left, top): the
// frame's colour where it is opaque, the ground where it is transparent.
void ExpectFrameAt(TBitmap& canvas, const TGIFSubImage& frame, int left, int top, int factor) {
  const int transparent = frame.Transparent() ? TransparentIndexOf(frame) : -1;
  int seen = 0;
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x) {
      const bool clear = frame.ScanLine(y)[x] == transparent;
      seen += clear;
      const COLORREF want = clear ? Ground : gifdraw::FrameColor(frame, x, y);
      for (int dy = 0; dy < factor; ++dy) {
        for (int dx = 0; dx < factor; ++dx) {
          ASSERT_EQ(gifdraw::PixelOf(canvas, left + x * factor + dx, top + y * factor + dy), want)
              << "frame pixel " << x << "," << y;
        }
      }
    }
  if (transparent >= 0) {
    EXPECT_GT(seen, 0) << "the picture has transparent pixels";
  }
}

TEST(GIFDraw, TransparentIconShowsTheBackgroundThroughItsMask) {
  auto icon = gifdraw::LoadResource(L"wallpaper.gif");
  ASSERT_EQ(icon->GetWidth(), 41);
  ASSERT_EQ(icon->Images().Count(), 1);
  const TGIFSubImage& frame = icon->Images()[0];
  ASSERT_TRUE(frame.Transparent());
  auto canvas = gifdraw::FilledBitmap(60, 60, Ground);
  icon->Draw(canvas->Canvas(), TRect{5, 7, 46, 48});
  ExpectFrameAt(*canvas, frame, 5, 7, 1);
  EXPECT_EQ(gifdraw::PixelOf(*canvas, 4, 7), Ground);
  EXPECT_EQ(gifdraw::PixelOf(*canvas, 46, 47), Ground);
  // No painter and no internal bitmap for a picture of one frame.
  EXPECT_EQ(GIFPainterCount(*icon), 0);
  EXPECT_EQ(ImageRender(*icon).Bitmap, nullptr);
}

TEST(GIFDraw, StretchedTransparentIconKeepsItsMask) {
  auto icon = gifdraw::LoadResource(L"settings.gif");
  const TGIFSubImage& frame = icon->Images()[0];
  auto canvas = gifdraw::FilledBitmap(90, 90, Ground);
  icon->Draw(canvas->Canvas(), TRect{2, 3, 84, 85});
  ExpectFrameAt(*canvas, frame, 2, 3, 2);
}

TEST(GIFDraw, WithoutTransparencyEveryPixelIsDrawn) {
  auto icon = gifdraw::LoadResource(L"engine.gif");
  icon->DrawOptions &= TGIFDrawOptions(~PaintTransparent);
  const TGIFSubImage& frame = icon->Images()[0];
  auto canvas = gifdraw::FilledBitmap(41, 41, Ground);
  icon->Draw(canvas->Canvas(), TRect{0, 0, 41, 41});
  for (int y = 0; y < 41; ++y) {
    for (int x = 0; x < 41; ++x) ASSERT_EQ(gifdraw::PixelOf(*canvas, x, y), gifdraw::FrameColor(frame, x, y));
  }
}

TEST(GIFDraw, TiledPictureRepeatsAtItsOwnSize) {
  auto icon = gifdraw::LoadResource(L"wallpaper.gif");
  icon->DrawOptions |= PaintTiled;
  const TGIFSubImage& frame = icon->Images()[0];
  auto canvas = gifdraw::FilledBitmap(100, 90, Ground);
  icon->Draw(canvas->Canvas(), TRect{0, 0, 100, 90});
  const int transparent = TransparentIndexOf(frame);
  for (int y = 0; y < 90; y += 3)
    for (int x = 0; x < 100; x += 3) {
      const int fx = x % 41, fy = y % 41;
      const COLORREF want = frame.ScanLine(fy)[fx] == transparent ? Ground : gifdraw::FrameColor(frame, fx, fy);
      ASSERT_EQ(gifdraw::PixelOf(*canvas, x, y), want) << x << "," << y;
    }
}

// A 10 x 10 screen with one opaque 4 x 4 frame at (3, 2).
std::unique_ptr<TGIFImage> SmallFrameOnScreen() {
  std::vector<std::uint8_t> pixels(16);
  for (int i = 0; i < 16; ++i) pixels[std::size_t(i)] = std::uint8_t(10 + i);
  return gifdraw::LoadBytes(GifBuilder().Header(10, 10, 256).Image(4, 4, pixels, gifdraw::At(3, 2)).Trailer().Data());
}

TEST(GIFDraw, FramePlaceIsScaledWithRounding) {
  auto image = SmallFrameOnScreen();
  const TGIFSubImage& frame = image->Images()[0];
  // 3 x 15 / 10 = 4.5 and 7 x 15 / 10 = 10.5 round up.
  EXPECT_EQ(GIFScaledFrameRect(frame, TRect{0, 0, 15, 15}), (TRect{5, 3, 11, 9}));
  EXPECT_EQ(GIFScaledFrameRect(frame, TRect{100, 200, 110, 210}), (TRect{103, 202, 107, 206}));

  auto canvas = gifdraw::FilledBitmap(20, 20, Ground);
  image->Draw(canvas->Canvas(), TRect{0, 0, 20, 20});
  EXPECT_EQ(gifdraw::PixelOf(*canvas, 5, 3), Ground);
  EXPECT_EQ(gifdraw::PixelOf(*canvas, 6, 4), gifdraw::BuilderColor(10));
  EXPECT_EQ(gifdraw::PixelOf(*canvas, 13, 11), gifdraw::BuilderColor(25));
  EXPECT_EQ(gifdraw::PixelOf(*canvas, 14, 12), Ground);
}

TEST(GIFDraw, TiledFramesRepeatFromTheirOffsetAtScreenSteps) {
  auto image = SmallFrameOnScreen();
  image->DrawOptions |= PaintTiled;
  auto canvas = gifdraw::FilledBitmap(25, 25, Ground);
  image->Draw(canvas->Canvas(), TRect{0, 0, 25, 25});
  for (int tx : {3, 13, 23})
    for (int ty : {2, 12, 22}) {
      EXPECT_EQ(gifdraw::PixelOf(*canvas, tx, ty), gifdraw::BuilderColor(10)) << tx << "," << ty;
      if (tx + 1 < 25 && ty + 1 < 25) {
        EXPECT_EQ(gifdraw::PixelOf(*canvas, tx + 1, ty + 1), gifdraw::BuilderColor(15));
      }
    }
  EXPECT_EQ(gifdraw::PixelOf(*canvas, 0, 0), Ground);
  EXPECT_EQ(gifdraw::PixelOf(*canvas, 8, 8), Ground);
}

TEST(GIFDraw, ScreenWithoutSizeDrawsWithoutHanging) {
  // A screen of 0 x 0 has nothing to tile by.
  auto image = gifdraw::LoadBytes(GifBuilder().Header(0, 0, 4).Image(2, 2, {1, 1, 1, 1}).Trailer().Data());
  image->DrawOptions |= PaintTiled;
  auto canvas = gifdraw::FilledBitmap(8, 8, Ground);
  image->Draw(canvas->Canvas(), TRect{0, 0, 8, 8});
  EXPECT_EQ(gifdraw::PixelOf(*canvas, 0, 0), Ground);
}

TEST(GIFDraw, TheIconsOfTheWindowsDrawWithTransparency) {
  for (const wchar_t* name :
       {L"wallpaper.gif", L"settings.gif", L"engine.gif", L"about_logo.gif", L"about_icon.gif", L"about_small.gif"}) {
    SCOPED_TRACE(WideToUtf8(name));
    auto image = gifdraw::LoadResource(name);
    ASSERT_EQ(image->Images().Count(), 1);
    auto canvas = gifdraw::FilledBitmap(image->GetWidth(), image->GetHeight(), Ground);
    image->Draw(canvas->Canvas(), TRect{0, 0, image->GetWidth(), image->GetHeight()});
    ExpectFrameAt(*canvas, image->Images()[0], 0, 0, 1);
  }
}

}  // namespace
