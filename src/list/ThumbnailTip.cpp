#include "list/ThumbnailTip.h"

#include <algorithm>

#include "gui/Dpi.h"
#include "gui/GdiHandles.h"
#include "gui/Screen.h"

namespace {

constexpr int kPadding = 4;  // at 96 DPI
// The tip opens this far below the pointer, clear of the arrow.
constexpr int kBelowPointer = 20;  // at 96 DPI

}  // namespace

void TThumbnailTip::RegisterClassOnce() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DROPSHADOW | CS_SAVEBITS;
    wc.lpfnWndProc = &TThumbnailTip::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

void TThumbnailTip::Show(HWND owner, POINT at, TThumbnailRef thumbnail, const std::wstring& text, HFONT font,
                         int dpi) {
  Hide();
  RegisterClassOnce();
  thumbnail_ = std::move(thumbnail);
  text_ = text;
  font_ = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  padding_ = ScaleToDpi(kPadding, dpi);

  SIZE content{};
  {
    TWindowDC screen(nullptr);
    TSelectObject select(screen.Get(), font_);
    content = TextSize(screen.Get());
  }
  if (thumbnail_) {
    content.cx = std::max(content.cx, thumbnail_->Size.cx);
    content.cy += thumbnail_->Size.cy + padding_;
  }
  RECT frame{0, 0, content.cx + 2 * padding_, content.cy + 2 * padding_};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;

  // Inside the work area of the pointer's screen; above the pointer when
  // there is no room below it.
  int y = at.y + ScaleToDpi(kBelowPointer, dpi);
  if (y + height > WorkAreaNear(at).bottom) y = at.y - height - padding_;
  const POINT place = KeepInWorkArea(RECT{at.x, y, at.x + width, y + height});
  const int x = place.x;
  y = place.y;

  window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, text_.c_str(),
                                WS_POPUP | WS_BORDER, x, y, width, height, owner, nullptr, GetModuleHandleW(nullptr),
                                nullptr));
  if (!window_) {
    thumbnail_.reset();
    return;
  }
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TThumbnailTip::WindowProc));
  ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
  UpdateWindow(window_.get());
}

void TThumbnailTip::Hide() {
  if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
  window_.reset();
  thumbnail_.reset();
  text_.clear();
}

LRESULT CALLBACK TThumbnailTip::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<TThumbnailTip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (msg) {
    case WM_NCHITTEST:
      // The pointer passes through to the grid beneath.
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(window, &ps);
      RECT client{};
      GetClientRect(window, &client);
      if (self) self->Paint(dc, client);
      EndPaint(window, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(window, msg, wParam, lParam);
  }
}

SIZE TThumbnailTip::TextSize(HDC dc) const {
  RECT box{0, 0, 0, 0};
  DrawTextW(dc, text_.c_str(), int(text_.size()), &box, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  return SIZE{box.right - box.left, box.bottom - box.top};
}

void TThumbnailTip::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
  int top = padding_;
  if (thumbnail_ && thumbnail_->Bitmap) {
    TDCOwner source(CreateCompatibleDC(dc));
    if (source) {
      TSelectObject select(source.get(), thumbnail_->Bitmap.get());
      const int x = (client.right - thumbnail_->Size.cx) / 2;
      BitBlt(dc, x, top, thumbnail_->Size.cx, thumbnail_->Size.cy, source.get(), 0, 0, SRCCOPY);
    }
    top += thumbnail_->Size.cy + padding_;
  }
  TSelectObject select(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  RECT line{0, top, client.right, client.bottom - padding_};
  DrawTextW(dc, text_.c_str(), int(text_.size()), &line, DT_CENTER | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
}
