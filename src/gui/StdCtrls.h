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

class TComboBox : public TControl {
 public:
  // A drop-down list (no edit field) with the given items and item height.
  TComboBox(HWND parent, const TBounds& bounds, const std::vector<std::wstring>& items, int itemHeight);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int Count() const;
  std::wstring Text() const;
  std::function<void(TComboBox&)> OnChange;

 protected:
  bool HandleCommand(WORD code) override;
};
