#include "pictures/jpeg/JPEGRaster.h"

#include <algorithm>

#include "pictures/jpeg/JPEGError.h"

void TJPEGRaster::Allocate(int width, int height, int bitsPerPixel) {
  // The same bound a bitmap has: a header can claim any size.
  if (width <= 0 || height <= 0 || std::int64_t(width) * height > (std::int64_t(1) << 28))
    throw EInvalidGraphic("Bitmap image is too large");
  width_ = width;
  height_ = height;
  bpp_ = bitsPerPixel;
  stride_ = (std::size_t(width) * std::size_t(bitsPerPixel / 8) + 3) & ~std::size_t(3);
  pixels_.reset(new std::uint8_t[stride_ * std::size_t(height)]);
  const std::size_t used = std::size_t(width) * std::size_t(bitsPerPixel / 8);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = pixels_.get() + std::size_t(y) * stride_;
    std::fill(row + used, row + stride_, std::uint8_t(0));
  }
}

void TJPEGRaster::Stopped(int y) {
  if (!pixels_ || y >= height_) return;
  y = std::max(y, 0);
  std::fill(pixels_.get() + std::size_t(y) * stride_, pixels_.get() + std::size_t(height_) * stride_, std::uint8_t(0));
}

TJPEGColor TJPEGRaster::Pixel(int x, int y) const {
  const std::uint8_t* p = Row(y);
  if (bpp_ == 8) {
    const std::size_t index = p[x];
    return index < colors_.size() ? colors_[index] : TJPEGColor{};
  }
  p += std::size_t(x) * 3;
  return TJPEGColor{p[2], p[1], p[0]};
}
