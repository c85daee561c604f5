// Bitmaps: BMP files in and out, pixel formats, palettes and resources.
#include <gtest/gtest.h>

#include <cstring>

#include "gui/Bitmap.h"

namespace {

constexpr TColor Red = RGBColor(255, 0, 0);
constexpr TColor Green = RGBColor(0, 255, 0);
constexpr TColor Blue = RGBColor(0, 0, 255);
constexpr TColor White = RGBColor(255, 255, 255);

std::vector<std::uint8_t> Save(TBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return stream.Bytes();
}

void Load(TBitmap& bitmap, std::vector<std::uint8_t> bytes) {
  TMemoryStream stream(std::move(bytes));
  bitmap.LoadFromStream(stream);
}

// A BMP file of the given header fields and pixel bytes.
std::vector<std::uint8_t> BmpFile(int width, int height, int bpp, const std::vector<RGBQUAD>& colors,
                                  const std::vector<std::uint8_t>& pixels, DWORD compression = BI_RGB) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = WORD(bpp);
  info.biCompression = compression;
  info.biClrUsed = DWORD(colors.size());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = DWORD(sizeof(file) + sizeof(info) + colors.size() * sizeof(RGBQUAD));
  file.bfSize = DWORD(file.bfOffBits + pixels.size());
  std::vector<std::uint8_t> out(file.bfSize);
  std::memcpy(out.data(), &file, sizeof(file));
  std::memcpy(out.data() + sizeof(file), &info, sizeof(info));
  if (!colors.empty()) std::memcpy(out.data() + sizeof(file) + sizeof(info), colors.data(), colors.size() * 4);
  std::memcpy(out.data() + file.bfOffBits, pixels.data(), pixels.size());
  return out;
}

}  // namespace

TEST(Bitmap, RowsAreTopDownAndCanvasSeesThem) {
  TBitmap bitmap(3, 2);
  EXPECT_EQ(bitmap.RowStride(), 12);
  EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), 12);
  std::uint8_t* top = bitmap.ScanLine(0);
  top[0] = 0x10, top[1] = 0x20, top[2] = 0x30;  // blue, green, red
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), RGBColor(0x30, 0x20, 0x10));
  bitmap.Canvas().SetPixel(2, 1, Green);
  EXPECT_EQ(bitmap.ScanLine(1)[7], 255);
  EXPECT_THROW(bitmap.ScanLine(2), EInvalidGraphic);
}

TEST(Bitmap, TwentyFourBitRoundTripKeepsPixelsAndWritesBottomUp) {
  TBitmap bitmap(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) bitmap.Canvas().SetPixel(x, y, RGBColor(std::uint8_t(x * 40), std::uint8_t(y * 80), 7));
  const auto bytes = Save(bitmap);
  ASSERT_EQ(bytes.size(), 14u + 40u + 16u * 3u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  // First stored row is the bottom one: pixel (0, 2) is blue 7, green 160, red 0.
  EXPECT_EQ(bytes[54 + 1], 160);

  TBitmap copy;
  Load(copy, bytes);
  ASSERT_EQ(copy.GetWidth(), 5);
  ASSERT_EQ(copy.GetHeight(), 3);
  EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf24bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(copy.Canvas().Pixel(x, y), RGBColor(std::uint8_t(x * 40), std::uint8_t(y * 80), 7)) << x << "," << y;
}

TEST(Bitmap, PaletteBitmapsKeepIndicesAndColours) {
  const std::vector<RGBQUAD> colors = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
  // 3 x 2, 8-bit, bottom-up: bottom row 0 1 2, top row 2 2 0.
  const std::vector<std::uint8_t> pixels = {0, 1, 2, 0, 2, 2, 0, 0};
  TBitmap bitmap;
  Load(bitmap, BmpFile(3, 2, 8, colors, pixels));
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(PaletteEntries(bitmap.PaletteHandle()).size(), 3u);
  EXPECT_EQ(bitmap.ScanLine(0)[0], 2);
  EXPECT_EQ(bitmap.ScanLine(1)[1], 1);
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), Blue);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), Green);
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 1), Red);

  TBitmap again;
  Load(again, Save(bitmap));
  EXPECT_EQ(again.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(again.ScanLine(1)[2], 2);
  EXPECT_EQ(again.Canvas().Pixel(2, 1), Blue);
}

TEST(Bitmap, MonochromeAndSixteenBitFilesLoad) {
  // 1-bit, 9 x 1: bits 1010 0000 1 -> white black white black ... pixel 8 white.
  TBitmap mono;
  Load(mono, BmpFile(9, 1, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}}, {0xA0, 0x80, 0, 0}));
  EXPECT_EQ(mono.PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_EQ(mono.Canvas().Pixel(0, 0), White);
  EXPECT_EQ(mono.Canvas().Pixel(1, 0), 0u);
  EXPECT_EQ(mono.Canvas().Pixel(8, 0), White);

  // 16-bit 5-5-5: pure red is 0x7C00, pure blue 0x001F.
  TBitmap deep;
  Load(deep, BmpFile(2, 1, 16, {}, {0x00, 0x7C, 0x1F, 0x00}));
  EXPECT_EQ(deep.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(deep.Canvas().Pixel(0, 0), Red);
  EXPECT_EQ(deep.Canvas().Pixel(1, 0), Blue);
}

TEST(Bitmap, RunLengthEightBitFileLoads) {
  // 4 x 1: a run of three index-1 pixels, one literal pair is not needed, end.
  const std::vector<std::uint8_t> rle = {3, 1, 1, 0, 0, 1};
  TBitmap bitmap;
  Load(bitmap, BmpFile(4, 1, 8, {{0, 0, 0, 0}, {0, 255, 0, 0}}, rle, BI_RLE8));
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), Green);
  EXPECT_EQ(bitmap.Canvas().Pixel(2, 0), Green);
  EXPECT_EQ(bitmap.Canvas().Pixel(3, 0), 0u);
}

TEST(Bitmap, BrokenFilesRaiseInvalidGraphic) {
  auto good = BmpFile(4, 4, 24, {}, std::vector<std::uint8_t>(48, 0x55));
  auto badMagic = good;
  badMagic[0] = 'X';
  auto truncated = good;
  truncated.resize(truncated.size() - 10);
  auto hugeWidth = good;
  const std::int32_t wide = 1 << 30;
  std::memcpy(hugeWidth.data() + 18, &wide, 4);
  auto badDepth = good;
  badDepth[28] = 7;
  for (const auto& bytes : {badMagic, truncated, hugeWidth, badDepth}) {
    TBitmap bitmap;
    EXPECT_THROW(Load(bitmap, bytes), EInvalidGraphic);
  }
  TBitmap header;
  EXPECT_THROW(Load(header, std::vector<std::uint8_t>(good.begin(), good.begin() + 20)), EInvalidGraphic);
}

TEST(Bitmap, ResizeKeepsPixelsAndFormatChangeConverts) {
  TBitmap bitmap(2, 2);
  bitmap.Canvas().SetPixel(1, 1, Red);
  bitmap.SetSize(4, 3);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), Red);
  EXPECT_EQ(bitmap.Canvas().Pixel(3, 2), 0u);
  bitmap.SetPixelFormat(TPixelFormat::pf32bit);
  EXPECT_EQ(bitmap.RowStride(), 16);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), Red);
  bitmap.ReleaseHandle();
  EXPECT_TRUE(bitmap.GetEmpty());
  EXPECT_EQ(bitmap.Handle(), nullptr);
}

TEST(Bitmap, SetPaletteChangesTheColourTable) {
  TBitmap bitmap(2, 1, TPixelFormat::pf8bit);
  bitmap.ScanLine(0)[1] = 1;
  const PALETTEENTRY entries[2] = {{0, 0, 0, 0}, {255, 0, 0, 0}};
  TPaletteOwner palette(CreatePaletteOf(entries, 2));
  bitmap.SetPalette(palette.get());
  EXPECT_NE(bitmap.PaletteHandle(), palette.get());  // a copy
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), Red);
}

TEST(Bitmap, LoadsFromResource) {
  TBitmap bitmap;
  bitmap.LoadFromResource(GetModuleHandleW(nullptr), L"TINY");
  ASSERT_EQ(bitmap.GetWidth(), 2);
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 1), Red);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), Blue);
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), Green);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), White);
  EXPECT_THROW(bitmap.LoadFromResource(GetModuleHandleW(nullptr), L"MISSING"), EInvalidGraphic);
}

TEST(Bitmap, AssignCopiesPixelsAndPalette) {
  TBitmap source(3, 1, TPixelFormat::pf8bit);
  const PALETTEENTRY entries[2] = {{0, 0, 0, 0}, {0, 0, 255, 0}};
  TPaletteOwner palette(CreatePaletteOf(entries, 2));
  source.SetPalette(palette.get());
  source.ScanLine(0)[2] = 1;
  TBitmap copy;
  copy.Assign(source);
  EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(copy.ScanLine(0)[2], 1);
  EXPECT_EQ(copy.Canvas().Pixel(2, 0), Blue);
  source.ScanLine(0)[2] = 0;
  EXPECT_EQ(copy.ScanLine(0)[2], 1);
}
