#include "widgets/GraphicControl.h"

#include "gui/AccessibleEvents.h"
#include "gui/GdiHandles.h"
#include "widgets/Underneath.h"

void TGraphicControl::CreateGraphic(const wchar_t* className, HWND parent, const TBounds& bounds,
                                    const std::wstring& text) {
  CreateCustom(className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, parent, bounds);
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TGraphicControl::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Invalidate();
}

void TGraphicControl::SetFont(HFONT font) {
  ownedFont_.reset();
  TControl::SetFont(font);
}

void TGraphicControl::SetOwnedFont(TFontOwner font) {
  ownedFont_ = std::move(font);
  TControl::SetFont(ownedFont_.get());
}

HFONT TGraphicControl::CurrentFont() const {
  return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TGraphicControl::Repaint() {
  if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool TGraphicControl::PaintOpaqueNow() {
  if (!Handle() || !IsWindowVisible(Handle())) return false;
  const RECT client = ClientRect();
  if (client.right <= 0 || client.bottom <= 0 || !PaintsOpaque(client)) return false;
  TWindowDC dc(Handle());
  if (!dc.Get()) return false;
  Paint(dc.Get(), client);
  return true;
}

void TGraphicControl::BringToFront() {
  if (Handle()) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TGraphicControl::SendToBack() {
  if (Handle()) SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TGraphicControl::StayUnderWindowedSiblings() {
  RECT mine{};
  GetWindowRect(Handle(), &mine);
  HWND lowest = nullptr;
  for (HWND w = GetWindow(Handle(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
    // Hidden windowed controls count too: shown later, they must cover us.
    if (dynamic_cast<TGraphicControl*>(TControl::FromHandle(w))) continue;
    RECT theirs{};
    RECT overlap{};
    GetWindowRect(w, &theirs);
    if (IntersectRect(&overlap, &mine, &theirs)) lowest = w;
  }
  if (lowest) SetWindowPos(Handle(), lowest, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TGraphicControl::PaintBackground(HDC dc, const RECT& client) {
  if (transparent_)
    PaintUnderneath(Handle(), dc);
  else
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void TGraphicControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TGraphicControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(*this);
}

void TGraphicControl::PaintWindow() {
  BeforePaint();
  StayUnderWindowedSiblings();
  // The paint ends even when drawing raises (a broken picture).
  TPaintDC paint(Handle());
  HDC dc = paint.Get();
  const RECT client = ClientRect();
  if (client.right <= 0 || client.bottom <= 0) return;
  if (PaintsOpaque(client)) {
    Paint(dc, client);
  } else {
    TMemoryBitmap buffer(client.right, client.bottom, dc);
    PaintBackground(buffer.DC(), client);
    Paint(buffer.DC(), client);
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer.DC(), 0, 0, SRCCOPY);
  }
}

bool TGraphicControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_PAINT:
      PaintWindow();
      result = 0;
      return true;
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      const RECT client = ClientRect();
      TDCStateGuard state(dc);
      if (!transparent_ || (lParam & PRF_ERASEBKGND)) PaintBackground(dc, client);
      Paint(dc, client);
      result = 0;
      return true;
    }
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (font_ != ownedFont_.get()) ownedFont_.reset();
      TextChanged();
      result = 0;
      return true;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(font_);
      return true;
    case WM_SETTEXT:
      result = DefaultHandler(msg, wParam, lParam);
      TextChanged();
      if (AccessibleKind() == TAccessibleKind::Own) NotifyAccessible(*this, EVENT_OBJECT_NAMECHANGE);
      return true;
    case WM_ENABLE:
      Invalidate();
      return false;
    case WM_GETDLGCODE:
      result = DialogCode();
      return true;
    case WM_SETCURSOR:
      if (handCursor_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        result = TRUE;
        return true;
      }
      return false;
    case WM_MOUSEMOVE:
      if (!mouseInside_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        mouseInside_ = true;
        MouseEnter();
      }
      return false;
    case WM_MOUSELEAVE:
      if (mouseInside_) {
        mouseInside_ = false;
        MouseLeave();
      }
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      SetCapture(Handle());
      Invalidate();
      result = 0;
      return true;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
        Invalidate();
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const RECT client = ClientRect();
        if (PtInRect(&client, at)) Click();
      }
      result = 0;
      return true;
    case WM_CAPTURECHANGED:
      if (pressed_ && reinterpret_cast<HWND>(lParam) != Handle()) {
        pressed_ = false;
        Invalidate();
      }
      return false;
    default:
      return false;
  }
}
