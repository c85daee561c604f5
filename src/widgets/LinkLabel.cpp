#include "widgets/LinkLabel.h"

#include "gui/HighContrast.h"

TLinkLabel::TLinkLabel(HWND parent, const TBounds& bounds, const std::wstring& caption) {
  CreateLabel(L"DvLinkLabel", parent, bounds, caption);
  SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) | WS_TABSTOP);
}

COLORREF TLinkLabel::LetterColor() const {
  return HighContrastOn() ? GetSysColor(COLOR_HOTLIGHT) : TLabel::LetterColor();
}

void TLinkLabel::Paint(HDC dc, const RECT& client) {
  TLabel::Paint(dc, client);
  if (!FocusMarkShown()) return;
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  DrawFocusRect(dc, &client);
}

bool TLinkLabel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_GETDLGCODE: {
      // Enter opens the focused link, not the window's default button.
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      result = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN ? DLGC_WANTMESSAGE : 0;
      return true;
    }
    case WM_KEYDOWN:
      if (wParam != VK_SPACE && wParam != VK_RETURN) return false;
      if (Enabled()) Click();
      result = 0;
      return true;
    case WM_CHAR:
      if (wParam != L' ' && wParam != L'\r') return false;
      result = 0;
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
      Invalidate();
      return false;
    default:
      return TLabel::HandleMessage(msg, wParam, lParam, result);
  }
}
