#include "widgets/FlatSpeedButton.h"

#include <oleacc.h>

#include <utility>

#include "gui/HighContrast.h"
#include "widgets/TextEffect.h"
#include "widgets/Underneath.h"

TFlatSpeedButton::TFlatSpeedButton(HWND parent, const TBounds& bounds, const std::wstring& caption)
    : fontColor_(SystemColor(COLOR_BTNTEXT)) {
  CreateGraphic(L"DvFlatSpeedButton", parent, bounds, caption);
  SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) | WS_TABSTOP);
}

bool TFlatSpeedButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_GETDLGCODE: {
      // Enter presses the focused flat button, not the window's default.
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      result = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN ? DLGC_WANTMESSAGE : 0;
      return true;
    }
    case WM_KEYDOWN:
      // As a system button: Space holds it down and clicks once as it comes
      // up (a held key repeats no click); Enter clicks at once.
      if (wParam == VK_SPACE) {
        if (!(lParam & (1 << 30)) && Enabled()) {
          spaceDown_ = true;
          Invalidate();
        }
        result = 0;
        return true;
      }
      if (wParam == VK_RETURN) {
        if (Enabled()) Click();
        result = 0;
        return true;
      }
      return false;
    case WM_KEYUP:
      if (wParam != VK_SPACE) return false;
      if (std::exchange(spaceDown_, false)) {
        Invalidate();
        if (Enabled()) Click();
      }
      result = 0;
      return true;
    case WM_CHAR:
      if (wParam == L' ' || wParam == L'\r') {
        result = 0;
        return true;
      }
      return false;
    case WM_KILLFOCUS:
      spaceDown_ = false;
      Invalidate();
      return false;
    case WM_SETFOCUS:
    case WM_UPDATEUISTATE:
      Invalidate();
      return false;
    default:
      return TGraphicControl::HandleMessage(msg, wParam, lParam, result);
  }
}

void TFlatSpeedButton::DescribeAccessible(TAccessibleItem& info) const {
  info.Role = ROLE_SYSTEM_PUSHBUTTON;
  info.Name = AccessibleText(Caption());
  info.DefaultAction = L"Press";
  if (MouseInside()) info.State |= STATE_SYSTEM_HOTTRACKED;
  if (LooksPressed()) info.State |= STATE_SYSTEM_PRESSED;
}

void TFlatSpeedButton::DoAccessibleAction() {
  if (Enabled()) Click();
}

void TFlatSpeedButton::SetFontColor(TColor color) {
  fontColor_ = color;
  Invalidate();
}

void TFlatSpeedButton::SetHotColor(TColor color) {
  hotColor_ = color;
  Invalidate();
}

TColor TFlatSpeedButton::CurrentTextColor() const {
  const bool hot = MouseInside() && Enabled();
  if (HighContrastOn()) return SystemColor(hot ? COLOR_HOTLIGHT : COLOR_BTNTEXT);
  return hot ? hotColor_ : fontColor_;
}

void TFlatSpeedButton::MouseEnter() {
  Invalidate();
  TGraphicControl::MouseEnter();
}

void TFlatSpeedButton::MouseLeave() {
  Invalidate();
  TGraphicControl::MouseLeave();
}

void TFlatSpeedButton::Paint(HDC dc, const RECT& client) {
  const std::wstring text = Caption();
  if (text.empty()) return;
  TSelectObject font(dc, CurrentFont());
  RECT rect = client;
  // Held down, the caption moves by one pixel like a pressed button's.
  if (LooksPressed()) OffsetRect(&rect, 1, 1);
  TTextLook look;
  look.Color = ToColorRef(CurrentTextColor());
  look.Effect = TTextEffect::Sunken;
  look.Enabled = Enabled();
  DrawEffectText(dc, text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE, look);
  if (FocusMarkShown()) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    DrawFocusRect(dc, &client);
  }
}
