#pragma once
// A device-independent bitmap of the picture system: a DIB section with a
// fixed pixel format, an owned palette and a canvas on a memory DC that has
// the bitmap selected. Rows are kept top-down, so ScanLine(y + 1) follows
// ScanLine(y) in memory.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/Canvas.h"
#include "gui/Color.h"
#include "gui/GdiHandles.h"
#include "gui/Graphic.h"

enum class TPixelFormat { pf1bit = 1, pf4bit = 4, pf8bit = 8, pf24bit = 24, pf32bit = 32 };

// How the colour that drawing leaves out is chosen.
enum class TTransparentMode {
  Auto,  // the bottom-left pixel
  Fixed  // TransparentColor
};

class TBitmap : public TGraphic {
 public:
  TBitmap() = default;
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
  ~TBitmap() override;

  // Copies pixels, format, palette and transparency settings of source.
  void Assign(const TBitmap& source);

  int GetWidth() const override { return width_; }
  int GetHeight() const override { return height_; }
  bool GetEmpty() const override { return width_ == 0 || height_ == 0; }
  bool DrawsOpaque() const override { return !GetEmpty() && !Transparent(); }
  void SetWidth(int width) override { SetSize(width, height_); }
  void SetHeight(int height) override { SetSize(width_, height); }
  // Resizes, keeping the pixels of the overlapping area.
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const { return format_; }
  // Changes the format, converting the pixels.
  void SetPixelFormat(TPixelFormat format);
  int BitsPerPixel() const { return static_cast<int>(format_); }
  // Bytes per row, a multiple of 4.
  int RowStride() const;

  // The palette owned by the bitmap (may be null). The bitmap keeps owning it.
  TPaletteHandle GetPalette() const override { return palette_.get(); }
  // Takes a copy of palette; for formats of 8 bits or fewer its colours also
  // become the bitmap's colour table. Null removes the palette.
  void SetPalette(TPaletteHandle palette) override;
  // Adopts palette without copying it.
  void TakePalette(TPaletteOwner palette);
  HPALETTE PaletteHandle() const { return palette_.get(); }

  // The DIB section; made on demand (an empty bitmap has none).
  HBITMAP Handle();
  // A new DIB section with a copy of the pixels (the clipboard takes such
  // handles). Empty when the bitmap is.
  TBitmapOwner CopyHandle() const;
  // Takes the pixels of any bitmap handle (device-dependent or DIB) as a
  // 24-bit bitmap; palette (may be null) resolves a device bitmap's indices.
  void LoadFromHandle(HBITMAP bitmap, HPALETTE palette);
  // Drops pixels and handle; the bitmap becomes empty, the format stays.
  void ReleaseHandle();
  // A canvas on a memory DC with the bitmap selected.
  TCanvas& Canvas();

  // The first byte of row y (0 = top). Flushes pending GDI drawing first.
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;

  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }

  // BMP files: a BITMAPFILEHEADER followed by a DIB.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  // A bitmap resource (RT_BITMAP) of a module.
  void LoadFromResource(HINSTANCE instance, const wchar_t* name);
  // A packed DIB (info header, colour table, bits) of size bytes.
  void LoadFromDIB(const void* dib, std::size_t size);

  void Draw(TCanvas& canvas, const TRect& rect) override;

 private:
  void LoadDIB(const void* dib, std::size_t size, std::size_t bitsAt);
  void Recreate(int width, int height, TPixelFormat format, bool keepPixels);
  void ApplyColorTable();
  void DeselectFromCanvas();

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = TPixelFormat::pf24bit;
  TBitmapOwner handle_;
  std::uint8_t* bits_ = nullptr;
  TPaletteOwner palette_;
  std::unique_ptr<TCanvas> canvas_;
  HGDIOBJ canvasOldBitmap_ = nullptr;
  TTransparentMode transparentMode_ = TTransparentMode::Auto;
  TColor transparentColor_ = 0;
};

// Entries of a logical palette (at most 256).
std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette);
// A logical palette (version 0x300) of the given colours.
TPaletteOwner CreatePaletteOf(const PALETTEENTRY* entries, int count);
