#include "pictures/gif/DIBWriter.h"

#include <cstring>
#include <limits>

#include "gui/Stream.h"
#include "pictures/gif/GIFException.h"

namespace {

// Pixel images beyond this are refused as unallocatable: BMP sizes are
// 32-bit, and no frame of a GIF comes near it.
constexpr std::uint64_t MaxImageSize = 0x7FFFFFFF;

}  // namespace

TDIB::TDIB(TBitmap& bitmap, HPALETTE palette, int height, int width, TPixelFormat format)
    : bitmap_(bitmap), palette_(palette), height_(height), width_(width), format_(format) {
  if (format != TPixelFormat::pf8bit && format != TPixelFormat::pf24bit) throw GIFException("Unsupported PixelFormat");
  if (width <= 0 || height <= 0) throw GIFException("Invalid image dimensions");
}

TDIBWriter::TDIBWriter(TBitmap& bitmap, HPALETTE palette, int height, int width, TPixelFormat format)
    : TDIB(bitmap, palette, height, width, format) {
  auto& h = info_.header;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = width;
  h.biHeight = height;  // positive: rows bottom-up
  h.biPlanes = 1;
  h.biBitCount = WORD(format);
  h.biCompression = BI_RGB;
  if (format == TPixelFormat::pf8bit) {
    const auto entries = PaletteEntries(palette);
    for (std::size_t i = 0; i < entries.size() && i < 256; ++i)
      info_.colors[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    h.biClrUsed = 256;
    h.biClrImportant = DWORD(entries.size());
  }
}

TDIBWriter::~TDIBWriter() {
  try {
    Finish();
  } catch (...) {
  }
  if (memory_) {
    GlobalUnlock(memory_);
    GlobalFree(memory_);
  }
}

int TDIBWriter::RowLength() const { return int((std::int64_t(width_) * int(format_) + 31) / 32 * 4); }

std::size_t TDIBWriter::ImageSize() const { return std::size_t(RowLength()) * std::size_t(height_); }

std::size_t TDIBWriter::InfoSize() const {
  return sizeof(BITMAPINFOHEADER) + (format_ == TPixelFormat::pf8bit ? 256 * sizeof(RGBQUAD) : 0);
}

void TDIBWriter::AllocatePixels() {
  const std::uint64_t image = std::uint64_t(RowLength()) * std::uint64_t(height_);
  const std::uint64_t total = PixelOffset() + image;
  if (image > MaxImageSize || total > std::numeric_limits<SIZE_T>::max())
    throw EOutOfMemory("Failed to allocate memory for GIF DIB");
  memory_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SIZE_T(total));
  if (!memory_) throw EOutOfMemory("Failed to allocate memory for GIF DIB");
  image_ = static_cast<std::uint8_t*>(GlobalLock(memory_));
  if (!image_) {
    GlobalFree(memory_);
    memory_ = nullptr;
    throw EOutOfMemory("Failed to allocate memory for GIF DIB");
  }
  info_.header.biSizeImage = DWORD(image);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfSize = DWORD(total);
  file.bfOffBits = DWORD(PixelOffset());
  std::memcpy(image_, &file, sizeof file);
  std::memcpy(image_ + sizeof file, &info_, InfoSize());
}

std::uint8_t* TDIBWriter::ScanLine(int y) {
  if (!image_ && !finished_) AllocatePixels();
  if (!image_) throw GIFException("Image has no DIB");
  if (y < 0 || y >= height_) throw EInvalidGraphicOperation("Scan line index out of range");
  // Drawing still queued for the bitmap must not land after our writes.
  GdiFlush();
  return image_ + PixelOffset() + std::size_t(height_ - 1 - y) * std::size_t(RowLength());
}

const std::uint8_t* TDIBWriter::FileImage() const { return image_; }

std::size_t TDIBWriter::FileImageSize() const { return image_ ? PixelOffset() + ImageSize() : 0; }

void TDIBWriter::Finish() {
  if (finished_) return;
  finished_ = true;
  if (!image_) return;
  struct TRelease {
    TDIBWriter& writer;
    ~TRelease() {
      GlobalUnlock(writer.memory_);
      GlobalFree(writer.memory_);
      writer.memory_ = nullptr;
      writer.image_ = nullptr;
    }
  } release{*this};
  TBufferStream stream(image_, FileImageSize());
  bitmap_.LoadFromStream(stream);
}
