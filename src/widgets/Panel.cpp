#include "widgets/Panel.h"

#include "widgets/Underneath.h"

TPanel::TPanel(HWND parent, const TBounds& bounds) : color_(SystemColor(COLOR_BTNFACE)) {
  CreateCustom(L"DvPanel", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, parent,
               bounds);
}

void TPanel::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

void TPanel::FillBackground(HDC dc) {
  const RECT client = ClientRect();
  if (color_ == SystemColor(COLOR_BTNFACE))
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  else
    FillRect(dc, &client, SolidBrush(ToColorRef(color_)).get());
}

bool TPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (msg) {
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
      FillBackground(reinterpret_cast<HDC>(wParam));
      result = 1;
      return true;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      result = 0;
      return true;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(font_);
      return true;
    default:
      return false;
  }
}

TGroupBox::TGroupBox(HWND parent, const TBounds& bounds) {
  CreateSystem(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
               WS_EX_CONTROLPARENT, parent, bounds);
}

bool TGroupBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
  // The system's group box paints only its frame; as a container it must
  // fill the ground under its children itself.
  if (msg == WM_ERASEBKGND) {
    const RECT client = ClientRect();
    FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
    result = 1;
    return true;
  }
  return false;
}
