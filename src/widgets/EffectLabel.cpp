#include "widgets/EffectLabel.h"

#include "gui/HighContrast.h"
#include "widgets/Underneath.h"

TEffectLabel::TEffectLabel(HWND parent, const TBounds& bounds, const std::wstring& caption, TTextEffect effect,
                           bool shadow)
    : effect_(effect), shadow_(shadow) {
  CreateLabel(L"DvEffectLabel", parent, bounds, caption);
}

void TEffectLabel::SetEffect(TTextEffect effect) {
  effect_ = effect;
  Invalidate();
}

void TEffectLabel::SetShadow(bool value) {
  shadow_ = value;
  Invalidate();
}

void TEffectLabel::SetGradient(bool value, TColor endColor) {
  gradient_ = value;
  gradientEnd_ = endColor;
  Invalidate();
}

void TEffectLabel::DrawCaption(HDC dc, const std::wstring& text, const RECT& rect, UINT format) {
  TTextLook look;
  look.Color = LetterColor();
  look.Effect = effect_;
  look.Shadow = shadow_;
  look.Enabled = Enabled();
  if (gradient_ && !HighContrastOn())
    DrawEffectText(dc, text, rect, format, look, [&](const RECT& r) { DrawGradientFace(dc, text, r, format); });
  else
    DrawEffectText(dc, text, rect, format, look);
}

void TEffectLabel::DrawGradientFace(HDC dc, const std::wstring& text, const RECT& rect, UINT format) {
  // The letters' outlines become the clipping region, and the gradient is
  // filled through it across the width the text takes.
  RECT extent = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, (format & ~DT_END_ELLIPSIS) | DT_CALCRECT);
  const int textWidth = extent.right - extent.left;
  int left = rect.left;
  if (format & DT_RIGHT) left = rect.right - textWidth;
  if (format & DT_CENTER) left = rect.left + (rect.right - rect.left - textWidth) / 2;

  TDCStateGuard state(dc);
  SetBkMode(dc, TRANSPARENT);
  BeginPath(dc);
  RECT r = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  EndPath(dc);
  const COLORREF from = ToColorRef(FontColor());
  if (!SelectClipPath(dc, RGN_AND)) {
    // Fonts without outlines (bitmap fonts) cannot make a path.
    SetTextColor(dc, from);
    r = rect;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    return;
  }
  const COLORREF to = ToColorRef(gradientEnd_);
  TRIVERTEX vertices[2] = {};
  vertices[0].x = left;
  vertices[0].y = rect.top;
  vertices[0].Red = static_cast<COLOR16>(GetRValue(from) << 8);
  vertices[0].Green = static_cast<COLOR16>(GetGValue(from) << 8);
  vertices[0].Blue = static_cast<COLOR16>(GetBValue(from) << 8);
  vertices[1].x = left + (textWidth > 0 ? textWidth : 1);
  vertices[1].y = rect.bottom;
  vertices[1].Red = static_cast<COLOR16>(GetRValue(to) << 8);
  vertices[1].Green = static_cast<COLOR16>(GetGValue(to) << 8);
  vertices[1].Blue = static_cast<COLOR16>(GetBValue(to) << 8);
  GRADIENT_RECT span{0, 1};
  // The part of the face past the text's extent (none, normally) keeps the
  // end colour.
  RECT rest{vertices[1].x, rect.top, rect.right, rect.bottom};
  FillRect(dc, &rest, SolidBrush(to).get());
  GradientFill(dc, vertices, 2, &span, 1, GRADIENT_FILL_RECT_H);
}
