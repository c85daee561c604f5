#pragma once
// A label with relief lettering: raised or sunken, with or without a shadow,
// and optionally with letters filled by a left-to-right gradient (the panel
// titles). Everything a TLabel does applies (fixed size with end ellipsis,
// several lines separated by "\r\n", auto size, font). In high contrast
// the letters are plain, in the system's button text colour.
//
//   TEffectLabel title(pnl, {40, 0, 122, 30}, L"Wallpapers", TTextEffect::Raised);
//   title.SetOwnedFont(MakeFont({L"Times New Roman", 24, true, false, false, ANSI_CHARSET}));
//   title.SetFontColor(RGBColor(128, 128, 255));
//   title.SetShadow(true);
//   title.SetGradient(true, RGBColor(0, 0, 128));
#include "widgets/Label.h"

class TEffectLabel : public TLabel {
 public:
  TEffectLabel(HWND parent, const TBounds& bounds, const std::wstring& caption,
               TTextEffect effect = TTextEffect::Raised, bool shadow = false);

  TTextEffect Effect() const { return effect_; }
  void SetEffect(TTextEffect effect);
  bool Shadow() const { return shadow_; }
  void SetShadow(bool value);
  // Letters filled with a gradient from the font colour to endColor.
  bool Gradient() const { return gradient_; }
  TColor GradientEndColor() const { return gradientEnd_; }
  void SetGradient(bool value, TColor endColor = RGBColor(0, 0, 128));

 protected:
  int TextMargin() const override { return 1; }
  void DrawCaption(HDC dc, const std::wstring& text, const RECT& rect, UINT format) override;

 private:
  void DrawGradientFace(HDC dc, const std::wstring& text, const RECT& rect, UINT format);

  TTextEffect effect_ = TTextEffect::Raised;
  bool shadow_ = false;
  bool gradient_ = false;
  TColor gradientEnd_ = RGBColor(0, 0, 128);
};
