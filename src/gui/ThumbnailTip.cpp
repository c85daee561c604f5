#include "gui/ThumbnailTip.h"

#include <oleacc.h>

#include <algorithm>
#include <stdexcept>

#include "gui/Dpi.h"
#include "gui/GdiHandles.h"
#include "gui/Screen.h"

namespace {

constexpr int kPadding = 4;  // at 96 DPI
// The tip opens this far below the pointer, clear of the arrow.
constexpr int kBelowPointer = 20;  // at 96 DPI

}  // namespace

void TThumbnailTip::DescribeAccessible(TAccessibleItem& info) const {
  info.Role = ROLE_SYSTEM_TOOLTIP;
  info.Name = text_;
  info.State = STATE_SYSTEM_READONLY;
}

void TThumbnailTip::Show(HWND owner, POINT at, TTipPicture picture, const std::wstring& text, HFONT font, int dpi) {
  Hide();
  picture_ = std::move(picture);
  text_ = text;
  font_ = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  padding_ = ScaleToDpi(kPadding, dpi);

  SIZE content{};
  {
    TScreenDC screen;
    TSelectObject select(screen.Get(), font_);
    content = TextSize(screen.Get());
  }
  if (picture_.Bitmap) {
    content.cx = std::max(content.cx, picture_.Size.cx);
    content.cy += picture_.Size.cy + padding_;
  }
  constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
  constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  RECT frame{0, 0, content.cx + 2 * padding_, content.cy + 2 * padding_};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;

  // Inside the work area of the pointer's screen; above the pointer when
  // there is no room below it.
  int y = at.y + ScaleToDpi(kBelowPointer, dpi);
  if (y + height > WorkAreaNear(at).bottom) y = at.y - height - padding_;
  const POINT place = KeepInWorkArea(RECT{at.x, y, at.x + width, y + height});

  try {
    CreateCustom(kClassName, text_, kStyle, kExStyle, owner, TBounds{place.x, place.y, width, height},
                 CS_DROPSHADOW | CS_SAVEBITS);
  } catch (const std::runtime_error&) {
    // No window, no tip: the list goes on without it.
    Hide();
    return;
  }
  SetFont(font_);
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  Update();
}

void TThumbnailTip::Hide() {
  if (Handle()) DestroyWindow(Handle());
  picture_ = TTipPicture{};
  text_.clear();
}

bool TThumbnailTip::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  switch (msg) {
    case WM_NCHITTEST:
      // The pointer passes through to the window beneath.
      result = HTTRANSPARENT;
      return true;
    case WM_MOUSEACTIVATE:
      result = MA_NOACTIVATE;
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT: {
      TPaintDC paint(Handle());
      if (paint.Get()) Paint(paint.Get(), ClientRect());
      result = 0;
      return true;
    }
    default:
      return false;
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
  if (picture_.Bitmap) {
    TDCOwner source(CreateCompatibleDC(dc));
    if (source) {
      TSelectObject select(source.get(), picture_.Bitmap);
      const int x = (client.right - picture_.Size.cx) / 2;
      BitBlt(dc, x, top, picture_.Size.cx, picture_.Size.cy, source.get(), 0, 0, SRCCOPY);
    }
    top += picture_.Size.cy + padding_;
  }
  TSelectObject select(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  RECT line{0, top, client.right, client.bottom - padding_};
  DrawTextW(dc, text_.c_str(), int(text_.size()), &line, DT_CENTER | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
}
