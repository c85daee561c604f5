// Drawing into memory device contexts and reading the pixels back.
#include <gtest/gtest.h>

#include "gui/Bitmap.h"
#include "gui/Canvas.h"

namespace {
constexpr TColor Red = RGBColor(255, 0, 0);
constexpr TColor Blue = RGBColor(0, 0, 255);
constexpr TColor Yellow = RGBColor(255, 255, 0);
}  // namespace

TEST(Canvas, FillRectUsesTheBrushAndReportsChanges) {
  TBitmap target(4, 4);
  TCanvas& canvas = target.Canvas();
  int changes = 0;
  canvas.OnChange = [&](TCanvas&) { ++changes; };
  canvas.Brush.Color = Red;
  canvas.FillRect(TRect{1, 1, 3, 3});
  EXPECT_EQ(canvas.Pixel(1, 1), Red);
  EXPECT_EQ(canvas.Pixel(2, 2), Red);
  EXPECT_EQ(canvas.Pixel(3, 3), 0u);
  canvas.Brush.Style = TBrushStyle::Clear;
  canvas.Brush.Color = Blue;
  canvas.FillRect(TRect{0, 0, 4, 4});
  EXPECT_EQ(canvas.Pixel(0, 0), 0u);
  EXPECT_EQ(changes, 1);
}

TEST(Canvas, DrawingOnABitmapChangesTheBitmap) {
  TBitmap bitmap(2, 2);
  int changes = 0;
  bitmap.OnChange = [&](TGraphic&) { ++changes; };
  bitmap.Canvas().SetPixel(0, 0, Red);
  EXPECT_EQ(changes, 1);
}

TEST(Canvas, DrawAndStretchDrawPlaceABitmap) {
  TBitmap source(2, 2);
  source.Canvas().SetPixel(0, 0, Red);
  source.Canvas().SetPixel(1, 1, Blue);
  TBitmap target(6, 6);
  target.Canvas().Draw(3, 1, source);
  EXPECT_EQ(target.Canvas().Pixel(3, 1), Red);
  EXPECT_EQ(target.Canvas().Pixel(4, 2), Blue);
  EXPECT_EQ(target.Canvas().Pixel(2, 1), 0u);

  TBitmap big(4, 4);
  big.Canvas().StretchDraw(TRect{0, 0, 4, 4}, source);
  EXPECT_EQ(big.Canvas().Pixel(1, 1), Red);
  EXPECT_EQ(big.Canvas().Pixel(2, 2), Blue);
  EXPECT_EQ(big.Canvas().Pixel(3, 3), Blue);
}

TEST(Canvas, TransparentBitmapLeavesItsKeyColourOut) {
  TBitmap sprite(2, 2);
  sprite.Canvas().Brush.Color = Yellow;
  sprite.Canvas().FillRect(TRect{0, 0, 2, 2});
  sprite.Canvas().SetPixel(1, 0, Red);
  sprite.SetTransparent(true);
  // Bottom-left pixel decides by default.
  EXPECT_EQ(sprite.TransparentColor(), Yellow);

  TBitmap target(2, 2);
  target.Canvas().Brush.Color = Blue;
  target.Canvas().FillRect(TRect{0, 0, 2, 2});
  target.Canvas().Draw(0, 0, sprite);
  EXPECT_EQ(target.Canvas().Pixel(0, 0), Blue);
  EXPECT_EQ(target.Canvas().Pixel(1, 0), Red);

  sprite.SetTransparentColor(Red);
  target.Canvas().Draw(0, 0, sprite);
  EXPECT_EQ(target.Canvas().Pixel(0, 0), Yellow);
  EXPECT_EQ(target.Canvas().Pixel(1, 0), Red);  // left as it was
}

TEST(Canvas, CopyRectHonoursTheCopyMode) {
  TBitmap source(2, 1);
  source.Canvas().SetPixel(0, 0, Red);
  TBitmap target(2, 1);
  target.Canvas().Brush.Color = Blue;
  target.Canvas().FillRect(TRect{0, 0, 2, 1});
  target.Canvas().CopyMode = SRCPAINT;  // OR: red | blue
  target.Canvas().CopyRect(TRect{0, 0, 2, 1}, source.Canvas(), TRect{0, 0, 2, 1});
  EXPECT_EQ(target.Canvas().Pixel(0, 0), RGBColor(255, 0, 255));
  EXPECT_EQ(target.Canvas().Pixel(1, 0), Blue);
}

TEST(Canvas, OwnedMemoryCanvasAndCanvasWithoutDC) {
  auto memory = TCanvas::CreateMemory();
  ASSERT_TRUE(memory->HandleAllocated());
  TCanvas none;
  none.FillRect(TRect{0, 0, 1, 1});  // nothing to draw on: no effect, no crash
  EXPECT_EQ(none.Pixel(0, 0), TColor(CLR_INVALID));
  {
    TCanvasLock lock(*memory);
    EXPECT_TRUE(memory->TryLock());  // re-entrant on one thread
    memory->Unlock();
  }
}
