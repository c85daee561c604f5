#pragma once
// Wrappers of the system's standard controls that the windows use as they
// are: check boxes, radio buttons and drop-down lists.
#include <string>
#include <vector>

#include "gui/Control.h"

class TCheckBox : public TControl {
 public:
  TCheckBox(HWND parent, const TBounds& bounds, const std::wstring& caption, bool checked);
  bool Checked() const;
  // Like a click by the user: changes the state and runs OnClick when the
  // state really changes.
  void SetChecked(bool checked);

 protected:
  bool HandleCommand(WORD code) override;
};

class TRadioButton : public TControl {
 public:
  // The first radio button of a group starts the group (WS_GROUP).
  TRadioButton(HWND parent, const TBounds& bounds, const std::wstring& caption, bool checked, bool firstOfGroup);
  bool Checked() const;
  // Checks this button and unchecks the others of its parent.
  void SetChecked(bool checked);

 protected:
  bool HandleCommand(WORD code) override;
};

// Places a drop-down list box (no edit field): closed, it fills bounds; its
// window reaches listHeight further down for the opened list.
void PlaceDropDown(HWND combo, const TBounds& bounds, int listHeight);

class TComboBox : public TControl {
 public:
  // A drop-down list (no edit field) with the given items and item height
  // (at 96 DPI).
  TComboBox(HWND parent, const TBounds& bounds, const std::vector<std::wstring>& items, int itemHeight);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int Count() const;
  std::wstring Text() const;
  std::function<void(TComboBox&)> OnChange;
  // The chosen item is the value (Wine's description of the list has none).
  void DescribeAccessible(TAccessibleItem& info) const override { info.Value = Text(); }

  void SetBounds(int left, int top, int width, int height) override;
  void ChangeDpi(int dpi) override;

 protected:
  bool HandleCommand(WORD code) override;

 private:
  int itemHeight_;
};
