#pragma once
// A flat, frameless button of text ("Settings...", "?"): sunken lettering
// that turns blue while the pointer is over it, the grey disabled look when
// disabled, and OnClick. A tab stop with a focus rectangle (as the keyboard
// cues allow), pressed by Space (as the key comes up) and Enter; clicking it
// with the mouse does not take the focus. In high contrast: plain lettering
// in the system's button-text colour, its hot-track colour under the pointer.
//
//   TFlatSpeedButton btn(pnl, {160, 24, 52, 17}, L"Settings...");
//   btn.OnClick = [](TControl&) { ... };
#include "gui/Color.h"
#include "widgets/GraphicControl.h"
#include "widgets/Underneath.h"

class TFlatSpeedButton : public TGraphicControl {
 public:
  TFlatSpeedButton(HWND parent, const TBounds& bounds, const std::wstring& caption);

  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);
  TColor HotColor() const { return hotColor_; }
  void SetHotColor(TColor color);
  // The colour the caption has now.
  TColor CurrentTextColor() const;

  TAccessibleKind AccessibleKind() const override { return TAccessibleKind::Own; }
  void DescribeAccessible(TAccessibleItem& info) const override;
  void DoAccessibleAction() override;

 protected:
  void Paint(HDC dc, const RECT& client) override;
  void MouseEnter() override;
  void MouseLeave() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  TColor fontColor_;
  // Held down by the mouse inside it, or by Space.
  bool LooksPressed() const { return (Pressed() && MouseInside()) || spaceDown_; }

  TColor hotColor_ = RGBColor(0, 0, 255);
  bool spaceDown_ = false;  // Space is held on it
};
