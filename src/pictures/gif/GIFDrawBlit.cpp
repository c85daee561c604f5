#include "pictures/gif/GIFDrawBlit.h"

#include "gui/GdiHandles.h"

namespace {

constexpr DWORD KeepDestination = 0x00AA0029;

bool NTFamily() { return (GetVersion() & 0x80000000u) == 0; }

// MaskBlt does the work in one call; the mask must not be selected into a
// device context meanwhile, so a 1 x 1 stand-in takes its place. One per
// thread, as a bitmap can be in one device context only.
void MaskBltPath(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, HDC maskDC, int maskX,
                 int maskY) {
  thread_local TBitmapOwner standIn(CreateBitmap(1, 1, 1, 1, nullptr));
  HGDIOBJ mask = SelectObject(maskDC, standIn.get());
  MaskBlt(dst, x, y, width, height, src, srcX, srcY, static_cast<HBITMAP>(mask), maskX, maskY,
          MAKEROP4(KeepDestination, SRCCOPY));
  SelectObject(maskDC, mask);
}

// Scaling, or systems without MaskBlt: the source with its transparent
// pixels made black is ORed onto a destination whose opaque area the mask
// has made black.
void StretchPath(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                 HDC maskDC, int maskX, int maskY) {
  TDCOwner colorDC(CreateCompatibleDC(dst));
  TBitmapOwner color(CreateCompatibleBitmap(dst, srcWidth, srcHeight));
  TDCOwner monoDC(CreateCompatibleDC(dst));
  TBitmapOwner mono(CreateBitmap(srcWidth, srcHeight, 1, 1, nullptr));
  if (!colorDC || !color || !monoDC || !mono) return;
  TSelectObject selectColor(colorDC.get(), color.get());
  TSelectObject selectMono(monoDC.get(), mono.get());

  BitBlt(monoDC.get(), 0, 0, srcWidth, srcHeight, maskDC, maskX, maskY, NOTSRCCOPY);

  // The source's palette, found by swapping the stock palette in and out.
  HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  HPALETTE srcPalette = SelectPalette(src, stock, TRUE);
  if (srcPalette) SelectPalette(src, srcPalette, TRUE);
  HPALETTE oldPalette = SelectPalette(colorDC.get(), srcPalette ? srcPalette : stock, TRUE);
  RealizePalette(colorDC.get());

  BitBlt(colorDC.get(), 0, 0, srcWidth, srcHeight, monoDC.get(), 0, 0, SRCCOPY);
  BitBlt(colorDC.get(), 0, 0, srcWidth, srcHeight, src, srcX, srcY, SRCAND);

  const COLORREF oldText = SetTextColor(dst, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dst, RGB(255, 255, 255));
  // Both passes must drop the same rows and columns when shrinking.
  const int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
  StretchBlt(dst, x, y, width, height, maskDC, maskX, maskY, srcWidth, srcHeight, SRCAND);
  StretchBlt(dst, x, y, width, height, colorDC.get(), 0, 0, srcWidth, srcHeight, SRCPAINT);
  SetStretchBltMode(dst, oldMode);
  SetTextColor(dst, oldText);
  SetBkColor(dst, oldBack);
  if (oldPalette) SelectPalette(colorDC.get(), oldPalette, TRUE);
}

}  // namespace

void MaskedStretchBlit(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                       int srcHeight, HDC maskDC, int maskX, int maskY) {
  if (width == 0 || height == 0 || srcWidth <= 0 || srcHeight <= 0) return;
  if (NTFamily() && width == srcWidth && height == srcHeight)
    MaskBltPath(dst, x, y, width, height, src, srcX, srcY, maskDC, maskX, maskY);
  else
    StretchPath(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, maskDC, maskX, maskY);
}
