#pragma once
// Builds a bitmap of the picture system from rows of pixels: the rows are
// written into an in-memory BMP image (bottom-up rows, each padded to 32
// bits) and the bitmap loads that image when the writer finishes.
//
//   TDIBWriter writer(bitmap, palette, height, width, TPixelFormat::pf8bit);
//   for (int y = 0; y < height; ++y) std::memcpy(writer.ScanLine(y), row(y), width);
//   writer.Finish();  // bitmap now holds the rows
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

#include "gui/Bitmap.h"

// The framework's out-of-memory error, with a message.
class EOutOfMemory : public std::bad_alloc {
 public:
  explicit EOutOfMemory(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// The target of a conversion between pixel rows and a bitmap.
class TDIB {
 public:
  // Only 8 and 24 bits per pixel, and no zero side (GIFException).
  TDIB(TBitmap& bitmap, HPALETTE palette, int height, int width, TPixelFormat format);
  virtual ~TDIB() = default;
  TDIB(const TDIB&) = delete;
  TDIB& operator=(const TDIB&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  TPixelFormat PixelFormat() const { return format_; }

 protected:
  TBitmap& bitmap_;
  HPALETTE palette_;
  int height_;
  int width_;
  TPixelFormat format_;
};

class TDIBWriter : public TDIB {
 public:
  TDIBWriter(TBitmap& bitmap, HPALETTE palette, int height, int width, TPixelFormat format);
  // Finishes if nobody did (errors are lost then; call Finish to see them).
  ~TDIBWriter() override;

  // Row y of the picture (0 = top), RowLength() bytes. The pixel memory is
  // made on first access; out of memory raises EOutOfMemory. Once the
  // writer has finished, the memory is gone: "Image has no DIB".
  std::uint8_t* ScanLine(int y);
  // Bytes per row: (width x bits + 31) / 32 x 4.
  int RowLength() const;
  // RowLength() x height.
  std::size_t ImageSize() const;

  const BITMAPINFOHEADER& InfoHeader() const { return info_.header; }
  // The 256-entry colour table of an 8-bit writer.
  const RGBQUAD* ColorTable() const { return info_.colors; }

  // The complete BMP file image (file header, info block, pixels), valid
  // until Finish. Null before the pixel memory exists.
  const std::uint8_t* FileImage() const;
  std::size_t FileImageSize() const;

  // Loads the bitmap from the BMP image and frees the memory.
  void Finish();

 private:
  void AllocatePixels();
  std::size_t InfoSize() const;
  std::size_t PixelOffset() const { return sizeof(BITMAPFILEHEADER) + InfoSize(); }

  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info_{};
  // The global memory block: file header and info block, then the pixels.
  HGLOBAL memory_ = nullptr;
  std::uint8_t* image_ = nullptr;
  bool finished_ = false;
};
