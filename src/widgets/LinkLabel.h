#pragma once
// A label that stands for a link (the About window's web, mail and page
// links): a tab stop, opened (OnClick) by a click, Enter or Space, with a
// focus mark around its text while it has the focus and the keyboard cues
// show it. In high contrast its letters take the system's hot-track colour.
//
//   TLinkLabel lbl(parent, {144, 122, 0, 0}, L"www.example.com");
//   lbl.OnClick = [](TControl&) { ... };
#include "widgets/Label.h"

class TLinkLabel : public TLabel {
 public:
  TLinkLabel(HWND parent, const TBounds& bounds, const std::wstring& caption);

 protected:
  void Paint(HDC dc, const RECT& client) override;
  COLORREF LetterColor() const override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
