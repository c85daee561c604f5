// The in-memory BMP image that frame bitmaps are built through.
#include <gtest/gtest.h>

#include <cstring>

#include "GifDrawKit.h"
#include "pictures/gif/DIBWriter.h"
#include "pictures/gif/GIFException.h"

namespace {

TPaletteOwner ThreeColours() {
  const PALETTEENTRY entries[3] = {{10, 20, 30, 0}, {200, 100, 50, 0}, {1, 2, 3, 0}};
  return TPaletteOwner(CreatePaletteOf(entries, 3));
}

std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

TEST(DIBWriter, HeaderAndColourTableOfAnEightBitImage) {
  TBitmap bitmap;
  auto palette = ThreeColours();
  TDIBWriter writer(bitmap, palette.get(), 3, 5, TPixelFormat::pf8bit);
  const BITMAPINFOHEADER& h = writer.InfoHeader();
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 5);
  EXPECT_EQ(h.biHeight, 3);  // positive: bottom-up rows
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 8);
  EXPECT_EQ(h.biCompression, DWORD(BI_RGB));
  EXPECT_EQ(h.biClrUsed, 256u);
  EXPECT_EQ(h.biClrImportant, 3u);
  // Red and blue swapped into the table's order; entries past the palette
  // stay zero.
  const RGBQUAD* table = writer.ColorTable();
  EXPECT_EQ(table[1].rgbRed, 200);
  EXPECT_EQ(table[1].rgbGreen, 100);
  EXPECT_EQ(table[1].rgbBlue, 50);
  EXPECT_EQ(table[3].rgbRed | table[3].rgbGreen | table[3].rgbBlue, 0);
  EXPECT_EQ(table[255].rgbRed | table[255].rgbGreen | table[255].rgbBlue, 0);
}

TEST(DIBWriter, RowsArePaddedToThirtyTwoBitsAndStoredBottomUp) {
  TBitmap bitmap;
  for (int width : {1, 3, 4, 5, 13}) {
    TDIBWriter eight(bitmap, nullptr, 2, width, TPixelFormat::pf8bit);
    EXPECT_EQ(eight.RowLength(), (width * 8 + 31) / 32 * 4) << width;
    TDIBWriter deep(bitmap, nullptr, 2, width, TPixelFormat::pf24bit);
    EXPECT_EQ(deep.RowLength(), (width * 24 + 31) / 32 * 4) << width;
    EXPECT_EQ(deep.ImageSize(), std::size_t(deep.RowLength()) * 2);
  }

  TDIBWriter writer(bitmap, nullptr, 4, 5, TPixelFormat::pf8bit);
  const std::uint8_t* row0 = writer.ScanLine(0);
  const std::uint8_t* row3 = writer.ScanLine(3);
  EXPECT_EQ(row0 - row3, 3 * writer.RowLength());  // the top row comes last

  const std::uint8_t* file = writer.FileImage();
  ASSERT_NE(file, nullptr);
  BITMAPFILEHEADER header;
  std::memcpy(&header, file, sizeof header);
  EXPECT_EQ(header.bfType, 0x4D42);
  EXPECT_EQ(header.bfOffBits, 14u + 40u + 1024u);
  EXPECT_EQ(header.bfSize, header.bfOffBits + writer.ImageSize());
  EXPECT_EQ(writer.FileImageSize(), std::size_t(header.bfSize));
  // Row r lies at (height - 1 - r) x row length from the pixels' start.
  EXPECT_EQ(row3, file + header.bfOffBits);
  EXPECT_EQ(row0, file + header.bfOffBits + 3 * writer.RowLength());
  // A 24-bit image has no colour table.
  TDIBWriter deep(bitmap, nullptr, 1, 1, TPixelFormat::pf24bit);
  deep.ScanLine(0);
  std::memcpy(&header, deep.FileImage(), sizeof header);
  EXPECT_EQ(header.bfOffBits, 14u + 40u);
}

TEST(DIBWriter, FinishStoresTheRowsIntoTheBitmap) {
  TBitmap bitmap;
  auto palette = ThreeColours();
  {
    TDIBWriter writer(bitmap, palette.get(), 2, 3, TPixelFormat::pf8bit);
    const std::uint8_t top[3] = {0, 1, 2};
    const std::uint8_t bottom[3] = {2, 2, 1};
    std::memcpy(writer.ScanLine(0), top, 3);
    std::memcpy(writer.ScanLine(1), bottom, 3);
    writer.Finish();
    EXPECT_EQ(MessageOf([&] { writer.ScanLine(0); }), "Image has no DIB");
  }
  ASSERT_EQ(bitmap.GetWidth(), 3);
  ASSERT_EQ(bitmap.GetHeight(), 2);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(gifdraw::PixelOf(bitmap, 0, 0), RGB(10, 20, 30));
  EXPECT_EQ(gifdraw::PixelOf(bitmap, 1, 0), RGB(200, 100, 50));
  EXPECT_EQ(gifdraw::PixelOf(bitmap, 2, 0), RGB(1, 2, 3));
  EXPECT_EQ(gifdraw::PixelOf(bitmap, 2, 1), RGB(200, 100, 50));
}

TEST(DIBWriter, TheWriterStoresItsRowsWhenFreed) {
  TBitmap bitmap;
  {
    TDIBWriter writer(bitmap, nullptr, 1, 2, TPixelFormat::pf24bit);
    std::uint8_t* row = writer.ScanLine(0);
    row[0] = 30, row[1] = 20, row[2] = 10;  // blue, green, red
  }
  ASSERT_EQ(bitmap.GetWidth(), 2);
  EXPECT_EQ(gifdraw::PixelOf(bitmap, 0, 0), RGB(10, 20, 30));
}

TEST(DIBWriter, RefusesWhatItCannotWrite) {
  TBitmap bitmap;
  for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf32bit}) {
    EXPECT_THROW(TDIBWriter(bitmap, nullptr, 2, 2, format), GIFException);
    EXPECT_EQ(MessageOf([&] { TDIBWriter(bitmap, nullptr, 2, 2, format); }), "Unsupported PixelFormat");
  }
  EXPECT_EQ(MessageOf([&] { TDIBWriter(bitmap, nullptr, 0, 2, TPixelFormat::pf8bit); }), "Invalid image dimensions");
  EXPECT_EQ(MessageOf([&] { TDIBWriter(bitmap, nullptr, 2, 0, TPixelFormat::pf8bit); }), "Invalid image dimensions");

  TDIBWriter writer(bitmap, nullptr, 2, 2, TPixelFormat::pf8bit);
  EXPECT_THROW(writer.ScanLine(2), EInvalidGraphicOperation);
  EXPECT_THROW(writer.ScanLine(-1), EInvalidGraphicOperation);
  EXPECT_EQ(MessageOf([&] { writer.ScanLine(2); }), "Scan line index out of range");

  // Nothing that size can exist: the out-of-memory error, with its text.
  TDIBWriter huge(bitmap, nullptr, 65535, 65535, TPixelFormat::pf24bit);
  EXPECT_THROW(huge.ScanLine(0), std::bad_alloc);
  EXPECT_EQ(MessageOf([&] { huge.ScanLine(0); }), "Failed to allocate memory for GIF DIB");
}

}  // namespace
