#pragma once
// A drop-down list of colours, each item a swatch and its name: first the
// custom entry ("Custom...", which opens the system's colour chooser), then
// the 16 standard colours, the four extended ones and the system colours
// from "Scroll Bar" to "Info Background".
//
//   TColorBox cbo(pnl, {290, 23, 135, 22});
//   cbo.SetSelected(SystemColor(COLOR_BTNFACE));   // selects "Button Face"
//   cbo.SetSelected(RGBColor(1, 2, 3));            // becomes the custom entry's colour
//   TColor c = cbo.Selected();
//   cbo.OnChange = [](TColorBox& box) { ... };     // a choice by the user
#include <functional>
#include <string>

#include "gui/Color.h"
#include "gui/Control.h"

class TColorBox : public TControl {
 public:
  TColorBox(HWND parent, const TBounds& bounds, int itemHeight = 16);

  // The selected colour (system colours keep their 0xFF...... value).
  TColor Selected() const;
  // Selects the entry with exactly this value; any other colour becomes the
  // custom entry's colour and the custom entry is selected. OnChange does
  // not run.
  void SetSelected(TColor color);
  TColor CustomColor() const { return custom_; }

  int Count() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  TColor Colors(int index) const;
  std::wstring ColorNames(int index) const;

  // Opens the colour chooser for the custom entry, as picking the entry
  // does; returns whether a colour was chosen.
  bool PickCustomColor();

  std::function<void(TColorBox& sender)> OnChange;
  // The chosen colour's name is the value.
  void DescribeAccessible(TAccessibleItem& info) const override { info.Value = ColorNames(ItemIndex()); }

  void SetBounds(int left, int top, int width, int height) override;
  void ChangeDpi(int dpi) override;

 protected:
  bool HandleCommand(WORD code) override;
  bool HandleDrawItem(DRAWITEMSTRUCT* item) override;
  bool HandleMeasureItem(MEASUREITEMSTRUCT* item) override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // The system list gets every entry once something may read or change it
  // (focus, keys, the mouse, the list's own messages) or after the window
  // has been shown; filling it costs more than the rest of the control, and
  // the closed box needs the selected entry only.
  void ListAll();
  // The system list holds the selected entry alone.
  void ListSelected();
  void Changed();

  int itemHeight_;  // at 96 DPI
  TColor custom_ = 0;
  int lastIndex_ = -1;
  bool listed_ = false;   // the system list holds every entry
  int selected_ = -1;     // the selected entry while it does not
  bool listing_ = false;  // the list's messages are the box's own
  COLORREF chooserColors_[16] = {};
};
