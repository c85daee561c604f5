#pragma once
// A push button with a picture (glyph) beside its caption, or a picture
// alone. The button is the system's BUTTON, drawn by its owner: in the
// visual style of the theme when one is active, as a classic 3D button
// otherwise. Mnemonics ("&Add...") and the default-button frame work as on
// any push button.
//
//   TGlyphButton btnAdd(pnl, 0, 0, 75, 25, L"&Add...", LoadGlyph(...));   // 18 x 18 glyph
//   btnAdd.SetMargin(5);                                                  // glyph 5 pixels from the left
//   TGlyphButton btnStart(pnl, 128, 48, 75, 25, L"Start", startBitmap, 2); // 36 x 18: normal | disabled
//   btnStart.OnClick = [](TControl&) { ... };
//
// The glyph's bottom-left pixel is its transparent colour. The button owns
// the bitmap handed to it.
#include <string>

#include "gui/Control.h"
#include "widgets/PaintBuffer.h"

class TGlyphButton : public TControl {
 public:
  TGlyphButton(HWND parent, int left, int top, int width, int height, const std::wstring& caption,
               TBitmapOwner glyph = nullptr, int numGlyphs = 1, bool isDefault = false);

  // With numGlyphs 2 the bitmap holds the normal picture on the left and the
  // disabled one on the right.
  void SetGlyph(TBitmapOwner glyph, int numGlyphs = 1);
  HBITMAP Glyph() const { return glyph_.get(); }
  int NumGlyphs() const { return numGlyphs_; }
  // Pixels between the left edge and the glyph; -1 centres glyph and caption
  // together.
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  // Pixels between glyph and caption.
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  // The default button of its window (the frame that Enter presses).
  bool Default() const { return default_; }
  void SetDefault(bool value);

  // Presses the button as a click by the user would (raises OnClick).
  void PerformClick();
  // Draws the button in the given owner-draw state (ODS_*) into dc.
  void PaintTo(HDC dc, UINT itemState);

 protected:
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool HandleCommand(WORD code) override;
  bool HandleDrawItem(DRAWITEMSTRUCT* item) override;

 private:
  void DrawFace(HDC dc, const RECT& rect, UINT itemState);
  void DrawContent(HDC dc, const RECT& outer, const RECT& content, UINT itemState, bool themed);

  TBitmapOwner glyph_;
  int numGlyphs_ = 1;
  int margin_ = -1;
  int spacing_ = 4;
  bool default_ = false;
  bool hot_ = false;
};
