#pragma once
// Containers: a plain panel (no bevel, button-face background) and a group
// box frame without caption. Both are control parents, so the dialog
// navigation (Tab, arrows, mnemonics) walks into the controls they hold, and
// both give their font to controls created in them.
//
//   TPanel pnl(frm, {0, 8, 641, 203});
//   TGroupBox grp(frm, {8, 232, 353, 187});
#include "gui/Color.h"
#include "gui/Control.h"
#include "widgets/PaintBuffer.h"

class TPanel : public TControl {
 public:
  TPanel(HWND parent, const TBounds& bounds);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TAccessibleKind AccessibleKind() const override { return TAccessibleKind::Container; }

 protected:
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void FillBackground(HDC dc);

  TColor color_;
  HFONT font_ = nullptr;
};

class TGroupBox : public TControl {
 public:
  TGroupBox(HWND parent, const TBounds& bounds);
  // A group box of the program has no caption.
  void SetCaption(const std::wstring&) override {}
  TAccessibleKind AccessibleKind() const override { return TAccessibleKind::Container; }

 protected:
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
