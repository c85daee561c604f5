#include "gui/Canvas.h"

TCanvas::TCanvas(HDC dc, bool owns) : dc_(dc), owns_(owns && dc) {}

std::unique_ptr<TCanvas> TCanvas::CreateMemory() {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) throw EInvalidGraphic("Out of system resources");
  return std::make_unique<TCanvas>(dc, true);
}

TCanvas::~TCanvas() { ReleaseHandle(); }

void TCanvas::ReleaseHandle() {
  if (owns_ && dc_) DeleteDC(dc_);
  dc_ = nullptr;
  owns_ = false;
}

void TCanvas::SetHandle(HDC dc, bool owns) {
  if (dc == dc_) {
    owns_ = owns && dc;
    return;
  }
  ReleaseHandle();
  dc_ = dc;
  owns_ = owns && dc;
}

void TCanvas::Changed() {
  if (OnChange) OnChange(*this);
}

void TCanvas::FillRect(const TRect& rect) {
  if (!dc_ || Brush.Style == TBrushStyle::Clear) return;
  TBrushOwner brush(CreateSolidBrush(ColorToRGB(Brush.Color)));
  const RECT r = ToRECT(rect);
  ::FillRect(dc_, &r, brush.get());
  Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
  if (!dc_) return;
  TBrushOwner brush(CreateSolidBrush(ColorToRGB(Brush.Color)));
  const RECT r = ToRECT(rect);
  ::FrameRect(dc_, &r, brush.get());
  Changed();
}

void TCanvas::MoveTo(int x, int y) {
  if (dc_) MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  if (!dc_) return;
  TPenOwner pen(CreatePen(PS_SOLID, Pen.Width, ColorToRGB(Pen.Color)));
  TSelectObject select(dc_, pen.get());
  ::LineTo(dc_, x, y);
  Changed();
}

void TCanvas::Rectangle(const TRect& rect) {
  if (!dc_) return;
  TPenOwner pen(CreatePen(PS_SOLID, Pen.Width, ColorToRGB(Pen.Color)));
  TBrushOwner brush(Brush.Style == TBrushStyle::Solid ? CreateSolidBrush(ColorToRGB(Brush.Color)) : nullptr);
  TSelectObject selectPen(dc_, pen.get());
  TSelectObject selectBrush(dc_, brush ? static_cast<HGDIOBJ>(brush.get()) : GetStockObject(NULL_BRUSH));
  ::Rectangle(dc_, rect.Left, rect.Top, rect.Right, rect.Bottom);
  Changed();
}

TColor TCanvas::Pixel(int x, int y) const {
  if (!dc_) return CLR_INVALID;
  GdiFlush();
  return GetPixel(dc_, x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (!dc_) return;
  ::SetPixel(dc_, x, y, ColorToRGB(color));
  Changed();
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (!dc_ || graphic.GetEmpty()) return;
  graphic.Draw(*this, TRect{x, y, x + graphic.GetWidth(), y + graphic.GetHeight()});
  Changed();
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic) {
  if (!dc_ || graphic.GetEmpty()) return;
  graphic.Draw(*this, rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& dst, TCanvas& source, const TRect& src) {
  if (!dc_ || !source.dc_) return;
  const int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, dst.Left, dst.Top, dst.Width(), dst.Height(), source.dc_, src.Left, src.Top, src.Width(),
             src.Height(), CopyMode);
  SetStretchBltMode(dc_, oldMode);
  Changed();
}
