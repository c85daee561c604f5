#include "controls/PixelFont.h"

#include <oleacc.h>

#include "gui/HighContrast.h"
#include "widgets/Underneath.h"

namespace {
// The user's locale decides upper case of 8-bit text (so the small o with
// stroke, ae and a with ring find their capitals under Western locales).
unsigned char LocaleUpper(unsigned char ch) {
  char buffer[2] = {static_cast<char>(ch), 0};
  CharUpperBuffA(buffer, 1);
  return static_cast<unsigned char>(buffer[0]);
}

std::wstring From1252(const std::string& text) {
  if (text.empty()) return {};
  std::wstring wide(text.size(), L'\0');
  const int n = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                    static_cast<int>(wide.size()));
  wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return wide;
}

std::string To1252(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(n > 0 ? static_cast<size_t>(n) : 0, '\0');
  if (n > 0)
    WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n, nullptr, nullptr);
  return narrow;
}
}  // namespace

TPixelFont::TPixelFont(HWND parent, const TBounds& bounds) {
  CreateGraphic(L"DvPixelFont", parent, bounds, From1252(caption_));
}

int TPixelFont::GlyphIndex(char ch) { return ::GlyphIndex(static_cast<unsigned char>(ch), LocaleUpper); }

void TPixelFont::SetCaption(const std::string& text) {
  caption_ = text;
  TControl::SetCaption(From1252(text));
  PaintNow();
}

void TPixelFont::SetCaption(const std::wstring& text) { SetCaption(To1252(text)); }

void TPixelFont::DescribeAccessible(TAccessibleItem& info) const {
  info.Role = ROLE_SYSTEM_STATICTEXT;
  info.Name = Caption();
  info.State |= STATE_SYSTEM_READONLY;
}

void TPixelFont::SetColor(TColor color) {
  color_ = color;
  PaintNow();
}

void TPixelFont::SetSizeFactor(int factor) {
  if (factor <= 0) return;
  sizeFactor_ = factor;
  PaintNow();
}

void TPixelFont::PaintNow() {
  FitToCaption();
  Repaint();
}

void TPixelFont::FitToCaption() {
  if (!Handle()) return;
  const TPixelLayout layout = LayoutPixelText(caption_, LocaleUpper);
  const int width = Scaled(layout.Columns * sizeFactor_);
  const int height = Scaled(layout.Rows * sizeFactor_);
  const RECT client = ClientRect();
  if (client.right != width || client.bottom != height)
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TPixelFont::BeforePaint() { FitToCaption(); }

void TPixelFont::DrawCell(HDC dc, int column, int row, COLORREF color) const {
  // Cell edges are scaled, not cell sizes: at 150 % cells are one or two
  // pixels wide in turn and the text keeps its width.
  const int factor = sizeFactor_;
  RECT cell{Scaled(column * factor), Scaled(row * factor), Scaled((column + 1) * factor), Scaled((row + 1) * factor)};
  FillRect(dc, &cell, SolidBrush(color).get());
}

void TPixelFont::Paint(HDC dc, const RECT&) {
  // High contrast: the system's text colour, whatever the label's own.
  const COLORREF color = HighContrastOn() ? GetSysColor(COLOR_BTNTEXT) : ToColorRef(color_);
  for (const TPixelCell& cell : LayoutPixelText(caption_, LocaleUpper).Ink) DrawCell(dc, cell.Column, cell.Row, color);
}

void TPixelFont::ChangeDpi(int dpi) {
  TGraphicControl::ChangeDpi(dpi);
  FitToCaption();
}

void TPixelFont::SetBounds(int left, int top, int, int) {
  // The place only: the size is the caption's.
  TGraphicControl::SetBounds(left, top, Width(), Height());
  FitToCaption();
}
