#include "gui/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Beyond this a DIB would not be a picture anyone shows (and its byte size
// would overflow 32-bit arithmetic).
constexpr int kMaxSide = 65535;
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 28;

int StrideOf(int width, int bpp) { return ((width * bpp + 31) / 32) * 4; }

struct TBitmapInfo256 {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

RGBQUAD Quad(const PALETTEENTRY& e) { return RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0}; }
PALETTEENTRY Entry(const RGBQUAD& q) { return PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0}; }

// The colour table a new bitmap of bpp bits gets when it has no palette.
std::vector<RGBQUAD> DefaultColors(int bpp) {
  std::vector<RGBQUAD> colors;
  if (bpp == 1) {
    colors = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
  } else if (bpp == 4) {
    static const std::uint8_t vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (auto& c : vga) colors.push_back(RGBQUAD{c[2], c[1], c[0], 0});
  } else if (bpp == 8) {
    TScreenDC screen;
    TPaletteOwner halftone(CreateHalftonePalette(screen.Get()));
    for (const auto& e : PaletteEntries(halftone.get())) colors.push_back(Quad(e));
    colors.resize(256, RGBQUAD{0, 0, 0, 0});
  }
  return colors;
}

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic("Bitmap image is not valid"); }

template <class T>
T ReadAt(const std::uint8_t* p) {
  T value;
  std::memcpy(&value, p, sizeof(T));
  return value;
}

}  // namespace

std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette) {
  std::vector<PALETTEENTRY> entries;
  if (!palette) return entries;
  WORD count = 0;
  if (GetObjectW(palette, sizeof(count), &count) == 0 || count == 0) return entries;
  entries.resize(std::min<WORD>(count, 256));
  entries.resize(GetPaletteEntries(palette, 0, UINT(entries.size()), entries.data()));
  return entries;
}

TPaletteOwner CreatePaletteOf(const PALETTEENTRY* entries, int count) {
  if (count <= 0) return nullptr;
  count = std::min(count, 256);
  struct {
    WORD version;
    WORD count;
    PALETTEENTRY entries[256];
  } log{0x300, WORD(count), {}};
  std::memcpy(log.entries, entries, sizeof(PALETTEENTRY) * std::size_t(count));
  return TPaletteOwner(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&log)));
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format) { SetSize(width, height); }

TBitmap::~TBitmap() { DeselectFromCanvas(); }

int TBitmap::RowStride() const { return StrideOf(width_, BitsPerPixel()); }

void TBitmap::DeselectFromCanvas() {
  if (canvas_ && canvasOldBitmap_) {
    SelectObject(canvas_->Handle(), canvasOldBitmap_);
    canvasOldBitmap_ = nullptr;
  }
}

void TBitmap::Recreate(int width, int height, TPixelFormat format, bool keepPixels) {
  if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide || std::int64_t(width) * height > kMaxPixels)
    throw EInvalidGraphic("Bitmap image is too large");
  TBitmapOwner fresh;
  std::uint8_t* freshBits = nullptr;
  const int bpp = static_cast<int>(format);
  if (width > 0 && height > 0) {
    TBitmapInfo256 info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;  // top-down rows
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(bpp);
    info.header.biCompression = BI_RGB;
    if (bpp <= 8) {
      std::vector<RGBQUAD> colors;
      for (const auto& e : PaletteEntries(palette_.get())) colors.push_back(Quad(e));
      if (colors.empty()) colors = DefaultColors(bpp);
      colors.resize(std::min<std::size_t>(colors.size(), std::size_t(1) << bpp));
      std::copy(colors.begin(), colors.end(), info.colors);
      info.header.biClrUsed = DWORD(colors.size());
    }
    void* bits = nullptr;
    fresh.reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!fresh || !bits) throw EInvalidGraphic("Out of system resources");
    // The system hands out zeroed pages; touching them all here would cost
    // more than the decode that fills them.
    freshBits = static_cast<std::uint8_t*>(bits);
    if (keepPixels && handle_) {
      TDCOwner src(CreateCompatibleDC(nullptr));
      TDCOwner dst(CreateCompatibleDC(nullptr));
      DeselectFromCanvas();
      TSelectObject selectSrc(src.get(), handle_.get());
      TSelectObject selectDst(dst.get(), fresh.get());
      BitBlt(dst.get(), 0, 0, std::min(width, width_), std::min(height, height_), src.get(), 0, 0, SRCCOPY);
      GdiFlush();
    }
  }
  DeselectFromCanvas();
  handle_ = std::move(fresh);
  bits_ = freshBits;
  width_ = width;
  height_ = height;
  format_ = format;
  if (canvas_ && handle_) canvasOldBitmap_ = SelectObject(canvas_->Handle(), handle_.get());
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  Recreate(width, height, format_, true);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  if (handle_) {
    Recreate(width_, height_, format, true);
    Changed();
  } else {
    format_ = format;
  }
}

void TBitmap::ReleaseHandle() {
  DeselectFromCanvas();
  handle_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  ReleaseHandle();
  format_ = source.format_;
  transparentMode_ = source.transparentMode_;
  transparentColor_ = source.transparentColor_;
  SetTransparent(source.Transparent());
  const auto entries = PaletteEntries(source.palette_.get());
  palette_ = CreatePaletteOf(entries.data(), int(entries.size()));
  if (!source.GetEmpty()) {
    Recreate(source.width_, source.height_, source.format_, false);
    GdiFlush();
    std::memcpy(bits_, source.bits_, std::size_t(RowStride()) * std::size_t(height_));
  }
  Changed();
}

void TBitmap::ApplyColorTable() {
  if (!handle_ || BitsPerPixel() > 8) return;
  const auto entries = PaletteEntries(palette_.get());
  if (entries.empty()) return;
  std::vector<RGBQUAD> colors;
  for (const auto& e : entries) colors.push_back(Quad(e));
  colors.resize(std::min<std::size_t>(colors.size(), std::size_t(1) << BitsPerPixel()));
  SetDIBColorTable(Canvas().Handle(), 0, UINT(colors.size()), colors.data());
}

void TBitmap::SetPalette(TPaletteHandle palette) {
  if (palette == palette_.get()) return;
  const auto entries = PaletteEntries(static_cast<HPALETTE>(palette));
  palette_ = CreatePaletteOf(entries.data(), int(entries.size()));
  ApplyColorTable();
  Changed();
}

void TBitmap::TakePalette(TPaletteOwner palette) {
  if (palette == palette_) return;
  palette_ = std::move(palette);
  ApplyColorTable();
  Changed();
}

HBITMAP TBitmap::Handle() { return handle_.get(); }

TBitmapOwner TBitmap::CopyHandle() const {
  if (!handle_) return nullptr;
  GdiFlush();
  return TBitmapOwner(static_cast<HBITMAP>(CopyImage(handle_.get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void TBitmap::LoadFromHandle(HBITMAP bitmap, HPALETTE palette) {
  BITMAP info{};
  if (!bitmap || GetObjectW(bitmap, sizeof(info), &info) == 0) InvalidBitmap();
  const int width = info.bmWidth;
  const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  ReleaseHandle();
  palette_.reset();
  Recreate(width, height, TPixelFormat::pf24bit, false);
  if (handle_) {
    BITMAPINFO want{};
    want.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    want.bmiHeader.biWidth = width;
    want.bmiHeader.biHeight = -height;
    want.bmiHeader.biPlanes = 1;
    want.bmiHeader.biBitCount = 24;
    want.bmiHeader.biCompression = BI_RGB;
    TScreenDC screen;
    TSelectPalette select(screen.Get(), palette);
    if (GetDIBits(screen.Get(), bitmap, 0, UINT(height), bits_, &want, DIB_RGB_COLORS) == 0) {
      ReleaseHandle();
      InvalidBitmap();
    }
  }
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = TCanvas::CreateMemory();
    // Drawing on the bitmap changes the bitmap.
    canvas_->OnChange = [this](TCanvas&) { Changed(); };
    if (handle_) canvasOldBitmap_ = SelectObject(canvas_->Handle(), handle_.get());
  }
  return *canvas_;
}

std::uint8_t* TBitmap::ScanLine(int y) {
  if (!bits_ || y < 0 || y >= height_) throw EInvalidGraphic("Scan line index out of range");
  GdiFlush();
  return bits_ + std::size_t(y) * std::size_t(RowStride());
}

const std::uint8_t* TBitmap::ScanLine(int y) const { return const_cast<TBitmap*>(this)->ScanLine(y); }

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == TTransparentMode::Fixed) return transparentColor_;
  if (GetEmpty()) return 0;
  return const_cast<TBitmap*>(this)->Canvas().Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  transparentColor_ = color;
  transparentMode_ = TTransparentMode::Fixed;
  Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  if (GetEmpty() || !canvas.HandleAllocated()) return;
  TCanvasLock lockDst(canvas);
  TCanvasLock lockSrc(Canvas());
  HDC dst = canvas.Handle();
  HDC src = Canvas().Handle();
  TSelectPalette selectPalette(dst, palette_.get());
  if (Transparent()) {
    TransparentBlt(dst, rect.Left, rect.Top, rect.Width(), rect.Height(), src, 0, 0, width_, height_,
                   ColorToRGB(TransparentColor()));
    return;
  }
  // Shrinking by dropping rows and columns looks ragged on photographs;
  // averaging is worth its cost there.
  const bool shrinking = rect.Width() < width_ || rect.Height() < height_;
  const int oldMode = SetStretchBltMode(dst, shrinking ? HALFTONE : COLORONCOLOR);
  POINT oldOrigin{};
  if (shrinking) SetBrushOrgEx(dst, 0, 0, &oldOrigin);
  StretchBlt(dst, rect.Left, rect.Top, rect.Width(), rect.Height(), src, 0, 0, width_, height_, canvas.CopyMode);
  SetStretchBltMode(dst, oldMode);
  if (shrinking) SetBrushOrgEx(dst, oldOrigin.x, oldOrigin.y, nullptr);
}

void TBitmap::LoadFromStream(TStream& stream) {
  const std::int64_t left = stream.Size() - stream.Position();
  if (left <= 0) {
    ReleaseHandle();
    Changed();
    return;
  }
  BITMAPFILEHEADER file{};
  if (left < std::int64_t(sizeof(file))) InvalidBitmap();
  stream.ReadBuffer(&file, sizeof(file));
  if (file.bfType != 0x4D42) InvalidBitmap();
  std::int64_t size = left - std::int64_t(sizeof(file));
  // Trust the file's own size only when it fits the stream: many writers
  // leave it 0 or wrong.
  if (file.bfSize > sizeof(file) && std::int64_t(file.bfSize - sizeof(file)) <= size)
    size = std::int64_t(file.bfSize - sizeof(file));
  if (size > (std::int64_t(1) << 31)) InvalidBitmap();
  std::vector<std::uint8_t> dib(static_cast<std::size_t>(size));
  stream.ReadBuffer(dib.data(), dib.size());
  // A file may leave a gap before its pixels; its own offset says where.
  const std::size_t bitsAt = file.bfOffBits > sizeof(file) ? file.bfOffBits - sizeof(file) : 0;
  LoadDIB(dib.data(), dib.size(), bitsAt);
}

void TBitmap::LoadFromDIB(const void* dib, std::size_t size) { LoadDIB(dib, size, 0); }

void TBitmap::LoadDIB(const void* dibData, std::size_t size, std::size_t bitsAt) {
  const auto* dib = static_cast<const std::uint8_t*>(dibData);
  if (size < 12) InvalidBitmap();
  const DWORD headerSize = ReadAt<DWORD>(dib);
  BITMAPINFOHEADER h{};
  std::size_t offset = 0;
  int quadSize = 4;
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    const auto core = ReadAt<BITMAPCOREHEADER>(dib);
    h.biWidth = core.bcWidth;
    h.biHeight = core.bcHeight;
    h.biPlanes = core.bcPlanes;
    h.biBitCount = core.bcBitCount;
    h.biCompression = BI_RGB;
    offset = headerSize;
    quadSize = 3;
  } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= size) {
    h = ReadAt<BITMAPINFOHEADER>(dib);
    offset = headerSize;
  } else {
    InvalidBitmap();
  }
  h.biSize = sizeof(BITMAPINFOHEADER);
  const int bpp = h.biBitCount;
  const bool bottomUp = h.biHeight > 0;
  const std::int64_t height = bottomUp ? std::int64_t(h.biHeight) : -std::int64_t(h.biHeight);
  const std::int64_t width = h.biWidth;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels ||
      h.biPlanes != 1)
    InvalidBitmap();
  const DWORD comp = h.biCompression;
  const bool compressed = comp == BI_RLE8 || comp == BI_RLE4;
  // Run-length data is only defined bottom-up.
  const bool valid = (comp == BI_RGB && (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32)) ||
                     (comp == BI_BITFIELDS && (bpp == 16 || bpp == 32)) || (comp == BI_RLE8 && bpp == 8 && bottomUp) ||
                     (comp == BI_RLE4 && bpp == 4 && bottomUp);
  if (!valid) InvalidBitmap();
  // A header can claim any size in a few bytes (run-length data need not
  // be as long as the picture): the bitmap it asks for counts first.
  const std::uint64_t depth = bpp <= 8 ? std::uint64_t(bpp) : bpp == 32 ? 32 : 24;
  if ((std::uint64_t(width) * depth + 31) / 32 * 4 * std::uint64_t(height) > PictureMemoryLimit)
    throw EInvalidGraphic(ImageTooLarge);

  // Masks follow a plain 40-byte header; larger headers carry them inside.
  DWORD masks[3] = {0, 0, 0};
  if (comp == BI_BITFIELDS) {
    const std::size_t at = headerSize == sizeof(BITMAPINFOHEADER) ? offset : sizeof(BITMAPINFOHEADER);
    if (at + sizeof(masks) > size) InvalidBitmap();
    std::memcpy(masks, dib + at, sizeof(masks));
    if (headerSize == sizeof(BITMAPINFOHEADER)) offset += sizeof(masks);
  }
  TBitmapInfo256 colorsInfo{};
  int colorCount = 0;
  if (bpp <= 8) {
    const int maxColors = 1 << bpp;
    colorCount = (h.biClrUsed > 0 && h.biClrUsed < DWORD(maxColors)) ? int(h.biClrUsed) : maxColors;
    if (offset + std::size_t(colorCount) * std::size_t(quadSize) > size) InvalidBitmap();
    for (int i = 0; i < colorCount; ++i) {
      const std::uint8_t* q = dib + offset + std::size_t(i) * std::size_t(quadSize);
      colorsInfo.colors[i] = RGBQUAD{q[0], q[1], q[2], 0};
    }
    offset += std::size_t(colorCount) * std::size_t(quadSize);
  } else if (h.biClrUsed > 0 && h.biClrUsed <= 256) {
    // An optional palette hint for deep bitmaps: skip it.
    offset += std::size_t(h.biClrUsed) * std::size_t(quadSize);
  }
  if (bitsAt >= offset && bitsAt < size) offset = bitsAt;
  if (offset > size) InvalidBitmap();
  const std::uint8_t* bits = dib + offset;
  const std::size_t available = size - offset;
  const std::size_t srcStride = std::size_t(StrideOf(int(width), bpp));
  if (!compressed && srcStride * std::size_t(height) > available) InvalidBitmap();

  const TPixelFormat format = bpp <= 8    ? static_cast<TPixelFormat>(bpp)
                              : bpp == 32 ? TPixelFormat::pf32bit
                                          : TPixelFormat::pf24bit;
  ReleaseHandle();
  if (bpp <= 8) {
    std::vector<PALETTEENTRY> entries;
    for (int i = 0; i < colorCount; ++i) entries.push_back(Entry(colorsInfo.colors[i]));
    palette_ = CreatePaletteOf(entries.data(), colorCount);
  } else {
    palette_.reset();
  }
  Recreate(int(width), int(height), format, false);

  const bool plainCopy = comp == BI_RGB && (bpp <= 8 || bpp == 24 || bpp == 32);
  if (plainCopy) {
    for (std::int64_t y = 0; y < height; ++y) {
      const std::int64_t srcRow = bottomUp ? height - 1 - y : y;
      std::memcpy(bits_ + std::size_t(y) * std::size_t(RowStride()), bits + std::size_t(srcRow) * srcStride, srcStride);
    }
  } else {
    // Bit fields, 16-bit pixels and run-length data: GDI converts them.
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colors[256];
    } src{};
    src.header = h;
    src.header.biClrUsed = DWORD(colorCount);
    src.header.biSizeImage = compressed ? DWORD(available) : 0;
    if (comp == BI_BITFIELDS)
      std::memcpy(src.colors, masks, sizeof(masks));
    else
      std::copy(colorsInfo.colors, colorsInfo.colors + colorCount, src.colors);
    if (SetDIBits(Canvas().Handle(), handle_.get(), 0, UINT(height), bits, reinterpret_cast<BITMAPINFO*>(&src),
                  DIB_RGB_COLORS) == 0) {
      ReleaseHandle();
      InvalidBitmap();
    }
    GdiFlush();
  }
  Changed();
}

void TBitmap::SaveToStream(TStream& stream) {
  if (GetEmpty()) return;
  const int bpp = BitsPerPixel();
  std::vector<RGBQUAD> colors;
  if (bpp <= 8) {
    colors.resize(std::size_t(1) << bpp);
    const UINT got = GetDIBColorTable(Canvas().Handle(), 0, UINT(colors.size()), colors.data());
    colors.resize(got);
  }
  const std::size_t stride = std::size_t(RowStride());
  const std::size_t imageSize = stride * std::size_t(height_);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width_;
  info.biHeight = height_;
  info.biPlanes = 1;
  info.biBitCount = WORD(bpp);
  info.biCompression = BI_RGB;
  info.biSizeImage = DWORD(imageSize);
  info.biClrUsed = DWORD(colors.size());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = DWORD(sizeof(file) + sizeof(info) + colors.size() * sizeof(RGBQUAD));
  file.bfSize = DWORD(file.bfOffBits + imageSize);
  stream.WriteBuffer(&file, sizeof(file));
  stream.WriteBuffer(&info, sizeof(info));
  if (!colors.empty()) stream.WriteBuffer(colors.data(), colors.size() * sizeof(RGBQUAD));
  GdiFlush();
  for (int y = height_ - 1; y >= 0; --y) stream.WriteBuffer(bits_ + std::size_t(y) * stride, stride);
}

void TBitmap::LoadFromResource(HINSTANCE instance, const wchar_t* name) {
  HRSRC info = FindResourceW(instance, name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (!info) {
    const std::string what =
        IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<std::uintptr_t>(name)) : WideToUtf8(name);
    throw EInvalidGraphic("Resource " + what + " not found");
  }
  HGLOBAL data = LoadResource(instance, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) throw EInvalidGraphic("Bitmap image is not valid");
  LoadFromDIB(bytes, SizeofResource(instance, info));
}
