#include "pictures/jpeg/JPEGRaster.h"

#include "pictures/jpeg/JPEGError.h"

void TJPEGRaster::Allocate(int width, int height, int bitsPerPixel) {
  // The same bound a bitmap has: a header can claim any size.
  if (width <= 0 || height <= 0 || std::int64_t(width) * height > (std::int64_t(1) << 28))
    throw EInvalidGraphic("Bitmap image is too large");
  width_ = width;
  height_ = height;
  bpp_ = bitsPerPixel;
  stride_ = (std::size_t(width) * std::size_t(bitsPerPixel / 8) + 3) & ~std::size_t(3);
  pixels_.reset(static_cast<std::uint8_t*>(std::calloc(stride_ * std::size_t(height), 1)));
  if (!pixels_) throw EInvalidGraphic("Out of system resources");
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
