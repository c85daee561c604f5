#pragma once
// A transparent text label.
//
//   TLabel lbl(parent, {16, 28, 67, 13}, L"&Stretch Mode:");
//   lbl.SetFocusControl(cbo.Handle());       // Alt+S focuses the list
//   lbl.SetFontColor(SystemColor(COLOR_3DDKSHADOW));
//   lbl.SetAlignment(TAlignment::Right);
//   lbl.OnClick = ...; lbl.OnMouseEnter = ...; lbl.SetHint(L"...");
//
// With AutoSize on (the default for labels made without a size, width or
// height 0) the label fits itself to its caption whenever caption or font
// change; a right-aligned label keeps its right edge, left + width as made
// (so TLabel(p, 360, 12, 0, 0, L"Ombrelle", TAlignment::Right) ends at 360). A fixed-size label
// wraps its text, or ends it in "...", as told; any other that needs more
// than its box widens the box away from its aligned side, as far as the
// parent's edge or the next control on that side (AfterLayout, once the
// window is laid out), and is cut past that. Both measure the caption as
// it is painted: the font, the relief of the text effect and the pixels the
// glyphs reach past their advance widths. Mnemonics ("&S") are underlined; the label
// answers DLGC_STATIC and, when it has a focus control, moves in the z-order
// to just above it, so that the dialog manager's mnemonic handling focuses
// that control. Windows that do their own keyboard handling can call
// DispatchMnemonic from WM_SYSCHAR.
#include <string>

#include "gui/Color.h"
#include "widgets/GraphicControl.h"
#include "widgets/Hint.h"
#include "widgets/TextEffect.h"
#include "widgets/Underneath.h"

class TLabel : public TGraphicControl {
 public:
  TLabel(HWND parent, const TBounds& bounds, const std::wstring& caption, TAlignment alignment = TAlignment::Left);

  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  // An auto-sized label keeps the side it is aligned to and fits its text;
  // a fixed-size one takes this box and widens it when its text needs it.
  void SetBounds(int left, int top, int width, int height) override;
  void AfterLayout() override { AdjustSize(); }
  // Long single-line text ends in "..." instead of being cut.
  bool EndEllipsis() const { return endEllipsis_; }
  void SetEndEllipsis(bool value);
  // Whether "&" marks a mnemonic (true) or is shown as it is.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);

  HWND FocusControl() const { return focusControl_; }
  void SetFocusControl(HWND control);

  const std::wstring& Hint() const { return hint_.Text(); }
  void SetHint(const std::wstring& text) { hint_.Set(Handle(), text); }
  HWND HintWindow() const { return hint_.TooltipHandle(); }

  // Read as static text, or as a link when a click does something.
  TAccessibleKind AccessibleKind() const override { return TAccessibleKind::Own; }
  void DescribeAccessible(TAccessibleItem& info) const override;
  void DoAccessibleAction() override;

  // The mnemonic character of the caption (upper case), or 0.
  wchar_t Mnemonic() const;
  // Finds under root a visible, enabled label whose mnemonic is ch and whose
  // focus control can take the focus, and focuses that control.
  static bool DispatchMnemonic(HWND root, wchar_t ch);

 protected:
  TLabel() = default;
  void CreateLabel(const wchar_t* className, HWND parent, const TBounds& bounds, const std::wstring& caption);

  void Paint(HDC dc, const RECT& client) override;
  void TextChanged() override;
  UINT DialogCode() const override { return DLGC_STATIC; }

  // Blank pixels around the text (room for relief effects).
  virtual int TextMargin() const { return 0; }
  // Draws the caption (already in the DC's font) into rect.
  virtual void DrawCaption(HDC dc, const std::wstring& text, const RECT& rect, UINT format);
  // The colour the letters are drawn in: the font colour, or the system's
  // button text in high contrast.
  virtual COLORREF LetterColor() const;
  UINT TextFormat() const;
  void AdjustSize();

 private:
  // The caption as the label paints it, measured in pixels.
  struct TPaintedText {
    SIZE Size;     // the box it takes, margins included
    int Overhang;  // pixels the letters reach right of their extent
  };
  TPaintedText MeasurePainted(const std::wstring& text, int wrapWidth);
  // How far a box may widen to the right, or to the left, before it meets
  // the parent's edge or a sibling beside it.
  int RoomRight(const RECT& box) const;
  int RoomLeft(const RECT& box) const;

  RECT box_{};        // the place the label was given
  int overhang_ = 0;  // kept free right of the text when it is painted
  TColor fontColor_ = SystemColor(COLOR_WINDOWTEXT);
  TAlignment alignment_ = TAlignment::Left;
  bool wordWrap_ = false;
  bool autoSize_ = false;
  bool endEllipsis_ = false;
  bool showAccelChar_ = true;
  HWND focusControl_ = nullptr;
  THint hint_;
};
