#pragma once
// A decode target in plain memory: rows top-down, each a multiple of 4
// bytes, allocated once at the final size and zeroed (rows a broken file
// never reaches stay black).
#include <cstdlib>
#include <memory>
#include <vector>

#include "pictures/jpeg/JPEGDecoder.h"

class TJPEGRaster : public IJPEGDecodeTarget {
 public:
  void Allocate(int width, int height, int bitsPerPixel) override;
  std::uint8_t* Row(int y) override { return pixels_.get() + std::size_t(y) * stride_; }
  const std::uint8_t* Row(int y) const { return pixels_.get() + std::size_t(y) * stride_; }
  void SetColors(const std::vector<TJPEGColor>& colors) override { colors_ = colors; }

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
  struct TFree {
    void operator()(std::uint8_t* p) const { std::free(p); }
  };
  // calloc, not a vector: a large block comes zeroed from the system, and
  // filling it again would cost as much as a tenth of the decode.
  std::unique_ptr<std::uint8_t[], TFree> pixels_;
  std::vector<TJPEGColor> colors_;
};
