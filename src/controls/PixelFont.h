#pragma once
// A label that draws its caption in the built-in pixel font (PixelGlyphs.h):
// five cells high, every cell a solid square of SizeFactor x SizeFactor
// pixels at 96 DPI. The label sizes itself to its caption on every paint; only the ink
// cells are painted, the rest shows what lies beneath.
//
//   TPixelFont Label1(pnl, {15, 62});
//   Label1.SetCaption("1");          // paints at once, now 4 x 5 pixels
//   Label1.SetSizeFactor(2);         // 0 or less is ignored
//   Label1.SetColor(RGBColor(0, 0, 128));
#include <string>

#include "controls/PixelGlyphs.h"
#include "gui/Color.h"
#include "widgets/GraphicControl.h"

class TPixelFont : public TGraphicControl {
 public:
  TPixelFont(HWND parent, const TBounds& bounds);

  // The caption as 8-bit (Windows-1252) text.
  const std::string& CaptionText() const { return caption_; }
  void SetCaption(const std::string& text);
  // Converted to Windows-1252; characters outside it draw the fallback box.
  void SetCaption(const std::wstring& text) override;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int SizeFactor() const { return sizeFactor_; }
  void SetSizeFactor(int factor);

  void ChangeDpi(int dpi) override;
  void SetBounds(int left, int top, int width, int height) override;
  // Read as static text with its caption.
  TAccessibleKind AccessibleKind() const override { return TAccessibleKind::Own; }
  void DescribeAccessible(TAccessibleItem& info) const override;

  // Index of the glyph for ch, upper-cased by the user's locale.
  static int GlyphIndex(char ch);

 protected:
  void BeforePaint() override;
  void Paint(HDC dc, const RECT& client) override;
  void TextChanged() override {}

 private:
  void FitToCaption();
  void PaintNow();
  void DrawCell(HDC dc, int column, int row, COLORREF color) const;

  std::string caption_ = "QUILLON PIXEL FONT";
  TColor color_ = 0;
  int sizeFactor_ = 1;
};
