#include "widgets/ScrollBox.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>

namespace {
// Posted to itself: children created in a row are measured once, after the
// code creating them has placed them all.
constexpr UINT kRealign = WM_APP + 0x3C1;

bool IsLinkControl(HWND hwnd) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  return lstrcmpiW(name, WC_LINK) == 0;
}
}  // namespace

TScrollBox::TScrollBox(HWND parent, const TBounds& bounds) {
  CreateCustom(L"DvScrollBox", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
               WS_EX_CONTROLPARENT, parent, bounds, 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Realign();
}

int TScrollBox::PageHeight() const { return ClientRect().bottom; }

int TScrollBox::LineStep() const {
  const int step = PageHeight() / 10;
  return step < 1 ? 1 : step;
}

void TScrollBox::Realign() {
  if (!Handle()) return;
  realignPosted_ = false;
  int bottom = 0;
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&r), 2);
    if (r.bottom + pos_ > bottom) bottom = r.bottom + pos_;
  }
  contentHeight_ = bottom;
  // The bar hides itself while the page holds everything; showing or hiding
  // it resizes the box, which measures again (once) from WM_SIZE.
  if (realigning_) return;
  realigning_ = true;
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  info.nMax = bottom > 0 ? bottom - 1 : 0;
  info.nPage = static_cast<UINT>(PageHeight());
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  ScrollTo(pos_);
  realigning_ = false;
}

void TScrollBox::ScrollTo(int pos) {
  const int limit = contentHeight_ - PageHeight();
  if (pos > limit) pos = limit;
  if (pos < 0) pos = 0;
  if (pos != pos_) {
    // The system moves only the children inside the scrolled rectangle, so
    // it takes in those out of view as well; the picture scrolls within the
    // client area.
    const RECT client = ClientRect();
    RECT all = client;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r{};
      GetWindowRect(child, &r);
      MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&r), 2);
      UnionRect(&all, &all, &r);
    }
    ScrollWindowEx(Handle(), 0, pos_ - pos, &all, &client, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    pos_ = pos;
  }
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, pos_, 0};
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void TScrollBox::OnScroll(int code) {
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Handle(), SB_VERT, &info);
  switch (code) {
    case SB_LINEUP:
      ScrollTo(pos_ - LineStep());
      break;
    case SB_LINEDOWN:
      ScrollTo(pos_ + LineStep());
      break;
    case SB_PAGEUP:
      ScrollTo(pos_ - PageHeight());
      break;
    case SB_PAGEDOWN:
      ScrollTo(pos_ + PageHeight());
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      ScrollTo(info.nTrackPos);
      break;
    case SB_TOP:
      ScrollTo(0);
      break;
    case SB_BOTTOM:
      ScrollTo(contentHeight_);
      break;
    default:
      break;
  }
}

bool TScrollBox::LinkNotify(NMHDR* header) {
  if (!header || (header->code != NM_CLICK && header->code != NM_RETURN) || !IsLinkControl(header->hwndFrom))
    return false;
  const auto* link = reinterpret_cast<NMLINK*>(header);
  OpenLink(std::wstring(link->item.szUrl, wcsnlen(link->item.szUrl, L_MAX_URL_LENGTH)));
  return true;
}

void TScrollBox::OpenLink(const std::wstring& url) {
  if (url.empty()) return;
  if (OnLinkClick && OnLinkClick(*this, url)) return;
  ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOW);
}

bool TScrollBox::ActivateLink(HWND link) {
  if (!link || GetParent(link) != Handle() || !IsLinkControl(link)) return false;
  LITEM item{};
  item.mask = LIF_ITEMINDEX | LIF_URL;
  item.iLink = 0;  // one link to a control, as the links library makes them
  if (!SendMessageW(link, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item))) return false;
  OpenLink(std::wstring(item.szUrl, wcsnlen(item.szUrl, L_MAX_URL_LENGTH)));
  return true;
}

void TScrollBox::DescendantFocused(HWND focus) {
  // The child of the box that holds the focus comes fully into view.
  HWND child = focus;
  while (child && GetParent(child) != Handle()) child = GetParent(child);
  if (!child) return;
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&r), 2);
  if (r.top < 0)
    ScrollTo(pos_ + r.top);
  else if (r.bottom > PageHeight())
    ScrollTo(pos_ + r.bottom - PageHeight());
}

bool TScrollBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_VSCROLL:
      if (lParam) return false;
      OnScroll(LOWORD(wParam));
      result = 0;
      return true;
    case WM_MOUSEWHEEL: {
      wheelDelta_ += GET_WHEEL_DELTA_WPARAM(wParam);
      const int notches = wheelDelta_ / WHEEL_DELTA;
      wheelDelta_ -= notches * WHEEL_DELTA;
      if (notches) ScrollTo(pos_ - notches * 3 * LineStep());
      result = 0;
      return true;
    }
    case WM_PARENTNOTIFY:
      if ((LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) && !realignPosted_) {
        realignPosted_ = true;
        PostMessageW(Handle(), kRealign, 0, 0);
      }
      return false;
    case kRealign:
      Realign();
      result = 0;
      return true;
    case WM_SHOWWINDOW:
      if (wParam) Realign();
      return false;
    case WM_SIZE:
      Realign();
      return false;
    case WM_NOTIFY:
      if (LinkNotify(reinterpret_cast<NMHDR*>(lParam))) {
        result = 0;
        return true;
      }
      return false;
    case WM_PRINTCLIENT: {
      const RECT client = ClientRect();
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      result = 0;
      return true;
    }
    default:
      return false;
  }
}
