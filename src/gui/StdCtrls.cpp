#include "gui/StdCtrls.h"

#include <algorithm>

#include <commctrl.h>

TCheckBox::TCheckBox(HWND parent, const TBounds& bounds, const std::wstring& caption, bool checked) {
  CreateSystem(L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, parent, bounds);
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

bool TCheckBox::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

TRadioButton::TRadioButton(HWND parent, const TBounds& bounds, const std::wstring& caption, bool checked,
                           bool firstOfGroup) {
  CreateSystem(L"BUTTON", caption,
               WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON | (firstOfGroup ? WS_GROUP : 0) | (checked ? WS_TABSTOP : 0), 0,
               parent, bounds);
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TRadioButton::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TRadioButton::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!checked) return;
  // Only the checked button of a group is a tab stop, as in a dialog.
  for (HWND sibling = GetWindow(Handle(), GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == Handle()) continue;
    if (auto* other = dynamic_cast<TRadioButton*>(FromHandle(sibling))) {
      SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
      SetWindowLongW(sibling, GWL_STYLE, GetWindowLongW(sibling, GWL_STYLE) & ~WS_TABSTOP);
      (void)other;
    }
  }
  SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) | WS_TABSTOP);
}

bool TRadioButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

void PlaceDropDown(HWND combo, const TBounds& bounds, int listHeight) {
  // The closed box is its selection field and a 3-pixel frame around it.
  SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, bounds.Height - 6));
  SetWindowPos(combo, nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height + listHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

TComboBox::TComboBox(HWND parent, const TBounds& bounds, const std::vector<std::wstring>& items, int itemHeight)
    : itemHeight_(itemHeight) {
  CreateSystem(L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, parent, bounds);
  for (const auto& item : items) SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, Scaled(itemHeight_));
  SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
  PlaceDropDown(Handle(), TBounds{left, top, width, height}, Scaled(200));
}

void TComboBox::ChangeDpi(int dpi) {
  TControl::ChangeDpi(dpi);
  SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, Scaled(itemHeight_));
}

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int TComboBox::Count() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }

std::wstring TComboBox::Text() const { return Caption(); }

bool TComboBox::HandleCommand(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  if (OnChange) OnChange(*this);
  return true;
}
