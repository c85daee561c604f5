#pragma once
// A decode target in plain memory: rows top-down, each a multiple of 4
// bytes, allocated once at the final size. The decode writes every row, so
// the memory is not filled first (on a large picture that would cost a tenth
// of the decode); what it leaves unwritten, the padding at the end of each
// row and the rows after a decode that stopped early, is zero.
#include <memory>
#include <vector>

#include "pictures/jpeg/JPEGDecoder.h"

class TJPEGRaster : public IJPEGDecodeTarget {
 public:
  void Allocate(int width, int height, int bitsPerPixel) override;
  std::uint8_t* Row(int y) override { return pixels_.get() + std::size_t(y) * stride_; }
  const std::uint8_t* Row(int y) const { return pixels_.get() + std::size_t(y) * stride_; }
  void SetColors(const std::vector<TJPEGColor>& colors) override { colors_ = colors; }
  void Stopped(int y) override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bpp_; }
  std::size_t Stride() const { return stride_; }
  const std::vector<TJPEGColor>& Colors() const { return colors_; }
  // The colour of pixel (x, y), looked up in the colours for 8-bit rasters.
  TJPEGColor Pixel(int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  int bpp_ = 24;
  std::size_t stride_ = 0;
  std::unique_ptr<std::uint8_t[]> pixels_;
  std::vector<TJPEGColor> colors_;
};
