// The JPEG picture under Windows: lazy decoding into a DIB, drawing into
// memory DCs, decode settings, assignment and the stored forms.
#include <gtest/gtest.h>

#include <cstring>

#include "JPEGTestImages.h"
#include "gui/Canvas.h"
#include "pictures/jpeg/JPEGImage.h"

namespace {

void Load(TJPEGImage& image, const std::vector<std::uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  image.LoadFromStream(stream);
}

TJPEGColor ColorOf(TColor c) { return TJPEGColor{RedOf(c), GreenOf(c), BlueOf(c)}; }

void ExpectQuadrantsDrawn(TBitmap& target) {
  const int w = target.GetWidth(), h = target.GetHeight();
  for (auto [x, y] : {std::pair{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}})
    EXPECT_TRUE(Near(ColorOf(target.Canvas().Pixel(x, y)), QuadrantColor(x, y, w, h), 40)) << x << "," << y;
}

}  // namespace

TEST(JPEGImage, LoadingReadsTheHeaderButDecodesNothing) {
  const auto file = QuadrantJPEG(37, 23);
  std::vector<std::uint8_t> padded = {1, 2, 3};
  padded.insert(padded.end(), file.begin(), file.end());
  TMemoryStream stream(padded);
  stream.SetPosition(3);
  TJPEGImage image;
  int changes = 0;
  image.OnChange = [&](TGraphic&) { ++changes; };
  image.LoadFromStream(stream);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(image.GetWidth(), 37);
  EXPECT_EQ(image.GetHeight(), 23);
  EXPECT_FALSE(image.GetEmpty());
  EXPECT_FALSE(image.Decoded());
  EXPECT_EQ(image.Data()->Size(), file.size());
  EXPECT_FALSE(image.ProgressiveEncoding());

  // Half scale: libjpeg's rounded-up size, still without decoding.
  image.SetScale(TJPEGScale::jsHalf);
  EXPECT_EQ(image.GetWidth(), 19);
  EXPECT_EQ(image.GetHeight(), 12);
  EXPECT_FALSE(image.Decoded());
  EXPECT_EQ(image.Bitmap().GetWidth(), 19);

  TJPEGImage progressive;
  Load(progressive, QuadrantJPEG(16, 16, {90, true, false}));
  EXPECT_TRUE(progressive.ProgressiveEncoding());
}

TEST(JPEGImage, EmptyAndBrokenInput) {
  TJPEGImage fresh;
  EXPECT_TRUE(fresh.GetEmpty());
  EXPECT_EQ(fresh.Bitmap().GetWidth(), 0);

  // A zero-length file loads, has no size, is not empty and fails to decode.
  TJPEGImage zero;
  Load(zero, {});
  EXPECT_EQ(zero.GetWidth(), 0);
  EXPECT_FALSE(zero.GetEmpty());
  zero.SetScale(TJPEGScale::jsQuarter);
  EXPECT_EQ(zero.GetWidth(), 0);
  try {
    zero.Bitmap();
    ADD_FAILURE() << "decoded nothing";
  } catch (const EJPEG& e) {
    EXPECT_STREQ(e.what(), "JPEG error #42");
  }

  // A broken header fails the load itself.
  auto broken = QuadrantJPEG(16, 16);
  broken[0] = 0;
  TJPEGImage bad;
  try {
    Load(bad, broken);
    ADD_FAILURE() << "loaded a broken file";
  } catch (const EJPEG& e) {
    EXPECT_EQ(std::string(e.what()).rfind("JPEG error #", 0), 0u);
  }
  EXPECT_THROW(bad.SetWidth(10), EInvalidGraphicOperation);
  try {
    bad.SetHeight(10);
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot change the size of a JPEG image");
  }
}

TEST(JPEGImage, DrawsIntoAMemoryDC) {
  TJPEGImage image;
  Load(image, QuadrantJPEG(64, 48));
  TBitmap target(64, 48);
  target.Canvas().Draw(0, 0, image);
  EXPECT_TRUE(image.Decoded());
  EXPECT_EQ(image.Bitmap().PixelFormat(), TPixelFormat::pf24bit);
  ExpectQuadrantsDrawn(target);

  // Stretched into a smaller box.
  TBitmap small(16, 12);
  small.Canvas().StretchDraw(TRect{0, 0, 16, 12}, image);
  ExpectQuadrantsDrawn(small);
}

TEST(JPEGImage, EightBitDecodeGivesAPaletteBitmap) {
  TJPEGImage image;
  image.SetPixelFormat(TJPEGPixelFormat::jf8Bit);
  Load(image, RampJPEG(80, 60));
  TBitmap& bitmap = image.Bitmap();
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  const auto entries = PaletteEntries(bitmap.PaletteHandle());
  EXPECT_GT(entries.size(), 16u);
  EXPECT_LE(entries.size(), 236u);
  EXPECT_EQ(image.GetPalette(), bitmap.PaletteHandle());
  TBitmap target(80, 60);
  target.Canvas().Draw(0, 0, image);
  EXPECT_TRUE(Near(ColorOf(target.Canvas().Pixel(79, 59)), TJPEGColor{255, 255, 127}, 48));
}

TEST(JPEGImage, CallerPaletteIsKeptAndADifferentOneDropsTheBitmap) {
  const PALETTEENTRY entries[4] = {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {255, 255, 255, 0}};
  TPaletteOwner palette(CreatePaletteOf(entries, 4));
  TJPEGImage image;
  image.SetPixelFormat(TJPEGPixelFormat::jf8Bit);
  Load(image, QuadrantJPEG(40, 40));
  image.SetPalette(palette.get());
  TBitmap& bitmap = image.Bitmap();
  const auto got = PaletteEntries(bitmap.PaletteHandle());
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[1].peGreen, 255);
  EXPECT_EQ(bitmap.ScanLine(35)[35], 3);

  image.SetPalette(palette.get());  // the same colours: the bitmap stays
  EXPECT_TRUE(image.Decoded());
  const PALETTEENTRY other[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  TPaletteOwner second(CreatePaletteOf(other, 2));
  image.SetPalette(second.get());
  EXPECT_FALSE(image.Decoded());
  EXPECT_EQ(PaletteEntries(image.Bitmap().PaletteHandle()).size(), 2u);

  // A 24-bit decode has no use for a caller palette.
  image.SetPixelFormat(TJPEGPixelFormat::jf24Bit);
  EXPECT_EQ(image.Bitmap().PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(image.GetPalette(), nullptr);
}

TEST(JPEGImage, ChangingADecodeSettingDecodesAgain) {
  TJPEGImage image;
  Load(image, QuadrantJPEG(64, 64));
  EXPECT_EQ(image.Bitmap().GetWidth(), 64);
  image.SetScale(TJPEGScale::jsEighth);
  EXPECT_FALSE(image.Decoded());
  EXPECT_EQ(image.Bitmap().GetWidth(), 8);
  image.SetGrayscale(true);
  EXPECT_EQ(image.Bitmap().PixelFormat(), TPixelFormat::pf8bit);
}

TEST(JPEGImage, AssignmentSharesDataAndCompressesBitmaps) {
  TJPEGImage first;
  Load(first, QuadrantJPEG(32, 32));
  first.DIBNeeded();
  TJPEGImage second;
  second.Assign(first);
  EXPECT_EQ(second.Data(), first.Data());
  EXPECT_TRUE(second.Decoded());
  EXPECT_TRUE(second.Equals(first));

  TBitmap copy;
  first.AssignTo(copy);
  EXPECT_EQ(copy.GetWidth(), 32);

  // From a bitmap: no bytes until they are needed, then a real JPEG file.
  TJPEGImage fromBitmap;
  fromBitmap.Assign(copy);
  EXPECT_FALSE(fromBitmap.Data()->HasData());
  EXPECT_FALSE(fromBitmap.GetEmpty());
  EXPECT_EQ(fromBitmap.GetWidth(), 32);
  TMemoryStream saved;
  fromBitmap.SaveToStream(saved);
  ASSERT_GT(saved.Bytes().size(), 100u);
  TJPEGImage reloaded;
  saved.SetPosition(0);
  reloaded.LoadFromStream(saved);
  EXPECT_EQ(reloaded.GetWidth(), 32);
  TBitmap target(32, 32);
  target.Canvas().Draw(0, 0, reloaded);
  ExpectQuadrantsDrawn(target);
}

TEST(JPEGImage, WindowLayoutFormIsLengthThenBytes) {
  const auto file = QuadrantJPEG(20, 10);
  TJPEGImage image;
  Load(image, file);
  TMemoryStream layout;
  image.WriteData(layout);
  ASSERT_EQ(layout.Bytes().size(), file.size() + 4);
  std::int32_t length = 0;
  std::memcpy(&length, layout.Memory(), 4);
  EXPECT_EQ(std::size_t(length), file.size());
  layout.WriteBuffer("tail", 4);
  layout.SetPosition(0);
  TJPEGImage again;
  again.ReadData(layout);
  EXPECT_EQ(again.GetWidth(), 20);
  EXPECT_EQ(layout.Position(), std::int64_t(file.size() + 4));

  TJPEGImage empty;
  TMemoryStream none;
  empty.WriteData(none);
  EXPECT_EQ(none.Bytes(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
  // A length beyond the stream is a read error, not a huge allocation.
  TMemoryStream lying(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x7F, 1});
  EXPECT_THROW(empty.ReadData(lying), EStreamError);
}

TEST(JPEGImage, ClipboardFormsCarryTheDecodedPicture) {
  TJPEGImage image;
  Load(image, QuadrantJPEG(24, 16));
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  image.SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(format, UINT(CF_BITMAP));
  ASSERT_NE(data, nullptr);
  EXPECT_NE(data, image.Bitmap().Handle());  // the clipboard gets its own copy
  TBitmapOwner owned(static_cast<HBITMAP>(data));
  TPaletteOwner ownedPalette(palette);

  TJPEGImage back;
  back.LoadFromClipboardFormat(format, data, palette);
  EXPECT_EQ(back.GetWidth(), 24);
  TBitmap target(24, 16);
  target.Canvas().Draw(0, 0, back);
  ExpectQuadrantsDrawn(target);
  EXPECT_THROW(back.LoadFromClipboardFormat(CF_TEXT, data, nullptr), EInvalidGraphic);
}

TEST(JPEGImage, ScanByScanDisplayAndGrayscaleFilesFillTheBitmap) {
  TJPEGImage progressive;
  progressive.SetPixelFormat(TJPEGPixelFormat::jf8Bit);
  progressive.SetProgressiveDisplay(true);
  Load(progressive, QuadrantJPEG(48, 32, {90, true, false}));
  TBitmap& bitmap = progressive.Bitmap();
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_LE(PaletteEntries(bitmap.PaletteHandle()).size(), 236u);
  TBitmap target(48, 32);
  target.Canvas().Draw(0, 0, progressive);
  ExpectQuadrantsDrawn(target);

  // A grayscale file decoded to 24 bits: blue, green and red bytes agree.
  TJPEGImage gray;
  Load(gray, QuadrantJPEG(16, 16, {90, false, true}));
  TBitmap& rgb = gray.Bitmap();
  ASSERT_EQ(rgb.PixelFormat(), TPixelFormat::pf24bit);
  for (int y = 0; y < 16; y += 3)
    for (int x = 0; x < 16; x += 3) {
      const std::uint8_t* p = rgb.ScanLine(y) + x * 3;
      EXPECT_EQ(p[0], p[1]);
      EXPECT_EQ(p[1], p[2]);
    }
}
