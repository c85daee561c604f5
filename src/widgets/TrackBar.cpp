#include "widgets/TrackBar.h"

#include <algorithm>

#include <oleacc.h>
#include <windowsx.h>

#include <utility>

#include "gui/AccessibleEvents.h"
#include "gui/HighContrast.h"
#include "widgets/Underneath.h"

namespace {
constexpr int kEdge = 2;  // free pixels at either end of the travel
}

TTrackBar::TTrackBar(HWND parent, const TBounds& bounds, int min, int max, int position)
    : min_(min),
      max_(max < min ? min : max),
      position_(position < min_   ? min_
                : position > max_ ? max_
                                  : position) {
  CreateCustom(L"DvTrackBar", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, parent, bounds);
}

void TTrackBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max < min ? min : max;
  Invalidate(false);
  SetPosition(position_);
}

void TTrackBar::SetPosition(int position) {
  if (position < min_) position = min_;
  if (position > max_) position = max_;
  if (position == position_) return;
  position_ = position;
  Invalidate(false);
  if (OnChange) OnChange(*this);
  // With a value text of its own the owner has told it anew by now.
  if (valueText_.empty()) NotifyAccessible(*this, EVENT_OBJECT_VALUECHANGE);
}

void TTrackBar::SetValueText(const std::wstring& text) {
  if (text == valueText_) return;
  valueText_ = text;
  NotifyAccessible(*this, EVENT_OBJECT_VALUECHANGE);
}

void TTrackBar::DescribeAccessible(TAccessibleItem& info) const {
  info.Role = ROLE_SYSTEM_SLIDER;
  info.Value = valueText_.empty() ? std::to_wstring(position_) : valueText_;
}

void TTrackBar::SetTicks(int gap, int length) {
  tickGap_ = gap;
  tickLength_ = length < 0 ? 0 : length;
  Invalidate(false);
}

void TTrackBar::SetTrackWidth(int width) {
  trackWidth_ = width < 2 ? 2 : width;
  Invalidate(false);
}

void TTrackBar::SetTrackColor(TColor color) {
  trackColor_ = color;
  Invalidate(false);
}

void TTrackBar::SetThumb(TBitmapOwner bitmap) {
  thumb_ = std::move(bitmap);
  Invalidate(false);
}

SIZE TTrackBar::ThumbPictureSize() const {
  BITMAP info{};
  if (thumb_ && GetObjectW(thumb_.get(), sizeof info, &info)) return {info.bmWidth / 2, info.bmHeight};
  return {0, 0};
}

SIZE TTrackBar::ThumbSize() const {
  if (const SIZE picture = ThumbPictureSize(); picture.cx > 0) return {Scaled(picture.cx), Scaled(picture.cy)};
  const int height = ClientRect().bottom - Scaled(tickLength_) - 1;
  return {Scaled(11), std::max(Scaled(8), height)};
}

int TTrackBar::TravelLength() const {
  const int length = ClientRect().right - 2 * Scaled(kEdge) - ThumbSize().cx;
  return length < 0 ? 0 : length;
}

RECT TTrackBar::ThumbRect() const {
  const SIZE size = ThumbSize();
  const int range = max_ - min_;
  const int left =
      Scaled(kEdge) +
      (range > 0 ? static_cast<int>((static_cast<long long>(position_ - min_) * TravelLength() + range / 2) / range)
                 : 0);
  return RECT{left, 0, left + size.cx, size.cy};
}

int TTrackBar::PositionAt(int thumbLeft) const {
  const int travel = TravelLength();
  const int range = max_ - min_;
  if (travel <= 0 || range <= 0) return min_;
  long long offset = thumbLeft - Scaled(kEdge);
  if (offset < 0) offset = 0;
  if (offset > travel) offset = travel;
  return min_ + static_cast<int>((offset * range + travel / 2) / travel);
}

void TTrackBar::Paint(HDC dc) {
  const RECT client = ClientRect();
  PaintUnderneath(Handle(), dc);
  const SIZE thumb = ThumbSize();
  const int centreY = thumb.cy / 2;
  const int edgeGap = Scaled(kEdge), trackWidth = Scaled(trackWidth_), tickLength = Scaled(tickLength_);
  const int firstX = edgeGap + thumb.cx / 2;
  const int lastX = firstX + TravelLength();

  // The track: a sunken frame around a gradient of the track colour.
  PaintTrack(dc,
             RECT{edgeGap, centreY - trackWidth / 2, client.right - edgeGap, centreY - trackWidth / 2 + trackWidth});

  // Ticks under the thumb's travel, the last one at its end.
  if (tickGap_ > 0 && tickLength > 0) {
    HBRUSH ink = GetSysColorBrush(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    auto tick = [&](int x) {
      RECT r{x, client.bottom - tickLength, x + Scaled(1), client.bottom};
      FillRect(dc, &r, ink);
    };
    for (int x = firstX; x < lastX; x += Scaled(tickGap_)) tick(x);
    tick(lastX);
  }

  PaintThumb(dc);
  if (FocusMarkShown()) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    DrawFocusRect(dc, &client);
  }
}

void TTrackBar::PaintTrack(HDC dc, const RECT& track) {
  RECT edge = track;
  if (HighContrastOn()) {
    FrameRect(dc, &edge, GetSysColorBrush(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    return;
  }
  DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  const COLORREF light = ToColorRef(trackColor_);
  const COLORREF dark = RGB(GetRValue(light) / 2, GetGValue(light) / 2, GetBValue(light) / 2);
  TRIVERTEX v[2] = {};
  v[0].x = edge.left;
  v[0].y = edge.top;
  v[0].Red = static_cast<COLOR16>(GetRValue(light) << 8);
  v[0].Green = static_cast<COLOR16>(GetGValue(light) << 8);
  v[0].Blue = static_cast<COLOR16>(GetBValue(light) << 8);
  v[1].x = edge.right;
  v[1].y = edge.bottom;
  v[1].Red = static_cast<COLOR16>(GetRValue(dark) << 8);
  v[1].Green = static_cast<COLOR16>(GetGValue(dark) << 8);
  v[1].Blue = static_cast<COLOR16>(GetBValue(dark) << 8);
  GRADIENT_RECT span{0, 1};
  if (edge.right > edge.left && edge.bottom > edge.top) GradientFill(dc, v, 2, &span, 1, GRADIENT_FILL_RECT_V);
}

void TTrackBar::PaintThumb(HDC dc) {
  const SIZE thumb = ThumbSize();
  const RECT at = ThumbRect();
  const bool hot = (hot_ || dragging_) && Enabled();
  if (HighContrastOn()) {
    // The picture has colours of its own: a frame in the text colour,
    // filled with the highlight while it is hot.
    RECT r = at;
    FillRect(dc, &r, GetSysColorBrush(hot ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    FrameRect(dc, &r, GetSysColorBrush(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  } else if (thumb_) {
    TDCOwner thumbDC(CreateCompatibleDC(dc));
    TSelectObject select(thumbDC.get(), thumb_.get());
    const int state = hot ? 1 : 0;
    const SIZE picture = ThumbPictureSize();
    const COLORREF transparent = GetPixel(thumbDC.get(), state * picture.cx, picture.cy - 1);
    SetStretchBltMode(dc, COLORONCOLOR);  // enlarged pixels stay sharp squares
    TransparentBlt(dc, at.left, at.top, thumb.cx, thumb.cy, thumbDC.get(), state * picture.cx, 0, picture.cx,
                   picture.cy, transparent);
  } else {
    RECT r = at;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  }
}

void TTrackBar::MouseDown(int x, int y) {
  SetFocus();
  const RECT thumb = ThumbRect();
  const POINT at{x, y};
  if (PtInRect(&thumb, at)) {
    dragging_ = true;
    dragOffset_ = x - thumb.left;
    SetCapture(Handle());
    Invalidate(false);
    return;
  }
  SetPosition(x < thumb.left ? position_ - pageSize_ : position_ + pageSize_);
}

void TTrackBar::MouseMove(int x, int y) {
  if (dragging_) {
    SetPosition(PositionAt(x - dragOffset_));
    return;
  }
  const RECT thumb = ThumbRect();
  const bool hot = PtInRect(&thumb, POINT{x, y}) != FALSE;
  if (hot != hot_) {
    hot_ = hot;
    Invalidate(false);
  }
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
  TrackMouseEvent(&track);
}

bool TTrackBar::KeyDown(WPARAM key) {
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      SetPosition(position_ - lineSize_);
      return true;
    case VK_RIGHT:
    case VK_DOWN:
      SetPosition(position_ + lineSize_);
      return true;
    case VK_PRIOR:
      SetPosition(position_ - pageSize_);
      return true;
    case VK_NEXT:
      SetPosition(position_ + pageSize_);
      return true;
    case VK_HOME:
      SetPosition(min_);
      return true;
    case VK_END:
      SetPosition(max_);
      return true;
    default:
      return false;
  }
}

bool TTrackBar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_PAINT: {
      TPaintDC paint(Handle());
      const RECT client = ClientRect();
      if (client.right > 0 && client.bottom > 0) {
        TMemoryBitmap buffer(client.right, client.bottom, paint.Get());
        Paint(buffer.DC());
        BitBlt(paint.Get(), 0, 0, client.right, client.bottom, buffer.DC(), 0, 0, SRCCOPY);
      }
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT: {
      TDCStateGuard state(reinterpret_cast<HDC>(wParam));
      Paint(reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    }
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_GETDLGCODE:
      result = DLGC_WANTARROWS;
      return true;
    case WM_KEYDOWN:
      if (KeyDown(wParam)) {
        result = 0;
        return true;
      }
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      result = 0;
      return true;
    case WM_MOUSEMOVE:
      MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      result = 0;
      return true;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
        Invalidate(false);
      }
      result = 0;
      return true;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle()) {
        dragging_ = false;
        Invalidate(false);
      }
      return false;
    case WM_MOUSELEAVE:
      if (hot_) {
        hot_ = false;
        Invalidate(false);
      }
      return false;
    case WM_MOUSEWHEEL: {
      wheelDelta_ += GET_WHEEL_DELTA_WPARAM(wParam);
      const int notches = wheelDelta_ / WHEEL_DELTA;
      wheelDelta_ -= notches * WHEEL_DELTA;
      // Wheel up moves towards the start, as the arrow keys up and left do.
      if (notches) SetPosition(position_ - notches * lineSize_);
      result = 0;
      return true;
    }
    case WM_ENABLE:
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
      Invalidate(false);
      return false;
    default:
      return false;
  }
}
