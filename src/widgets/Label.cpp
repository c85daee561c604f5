#include "widgets/Label.h"

#include <oleacc.h>

#include <algorithm>
#include <cwctype>

#include "gui/HighContrast.h"
#include "widgets/PaintBuffer.h"
#include "widgets/Underneath.h"

TLabel::TLabel(HWND parent, const TBounds& bounds, const std::wstring& caption, TAlignment alignment)
    : alignment_(alignment) {
  CreateLabel(L"DvLabel", parent, bounds, caption);
}

void TLabel::CreateLabel(const wchar_t* className, HWND parent, const TBounds& bounds, const std::wstring& caption) {
  autoSize_ = bounds.Width <= 0 || bounds.Height <= 0;
  // Before the window: it is measured as soon as it gets its font.
  box_ = RECT{bounds.Left, bounds.Top, bounds.Left + bounds.Width, bounds.Top + bounds.Height};
  CreateGraphic(className, parent, bounds, caption);
  AdjustSize();
}

void TLabel::SetFontColor(TColor color) {
  fontColor_ = color;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  // The side a label grows to follows its alignment.
  TextChanged();
}

void TLabel::SetWordWrap(bool value) {
  wordWrap_ = value;
  TextChanged();
}

void TLabel::SetAutoSize(bool value) {
  autoSize_ = value;
  TextChanged();
}

void TLabel::SetEndEllipsis(bool value) {
  endEllipsis_ = value;
  TextChanged();
}

void TLabel::SetShowAccelChar(bool value) {
  showAccelChar_ = value;
  TextChanged();
}

void TLabel::SetFocusControl(HWND control) {
  focusControl_ = control;
  // The control is read by this label's name, as a screen reader reads a
  // list by the static text beside it.
  if (TControl* named = FromHandle(control)) named->SetAccessibleLabel(Handle());
  if (!control || !Handle() || GetParent(control) != GetParent(Handle())) return;
  // The dialog manager moves the focus from a static's mnemonic to the next
  // control in the z-order: put the label right above its control.
  HWND above = GetWindow(control, GW_HWNDPREV);
  if (above == Handle()) return;
  SetWindowPos(Handle(), above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

wchar_t TLabel::Mnemonic() const {
  if (!showAccelChar_) return 0;
  const std::wstring text = Caption();
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] == L'&') {
      ++i;  // "&&" is a plain ampersand
      continue;
    }
    return static_cast<wchar_t>(std::towupper(text[i + 1]));
  }
  return 0;
}

namespace {
struct TMnemonicSearch {
  wchar_t ch;
  bool done;
};

BOOL CALLBACK FindMnemonic(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<TMnemonicSearch*>(data);
  auto* label = dynamic_cast<TLabel*>(TControl::FromHandle(hwnd));
  if (!label || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
  HWND target = label->FocusControl();
  if (!target || !IsWindowVisible(target) || !IsWindowEnabled(target)) return TRUE;
  if (label->Mnemonic() != search->ch) return TRUE;
  SetFocus(target);
  search->done = true;
  return FALSE;
}
}  // namespace

bool TLabel::DispatchMnemonic(HWND root, wchar_t ch) {
  TMnemonicSearch search{static_cast<wchar_t>(std::towupper(ch)), false};
  if (root && search.ch) EnumChildWindows(root, FindMnemonic, reinterpret_cast<LPARAM>(&search));
  return search.done;
}

void TLabel::DescribeAccessible(TAccessibleItem& info) const {
  const bool clickable = static_cast<bool>(OnClick);
  info.Role = clickable ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
  if (clickable)
    info.DefaultAction = L"Click";
  else
    info.State |= STATE_SYSTEM_READONLY;
  // The lines of a label read as one text.
  for (wchar_t ch : showAccelChar_ ? AccessibleText(Caption()) : Caption()) {
    if (ch != L'\r' && ch != L'\n')
      info.Name += ch;
    else if (!info.Name.empty() && info.Name.back() != L' ')
      info.Name += L' ';
  }
  // A label without text shows nothing (an error line with no error).
  if (info.Name.empty()) info.State |= STATE_SYSTEM_INVISIBLE;
}

void TLabel::DoAccessibleAction() {
  if (Enabled()) Click();
}

UINT TLabel::TextFormat() const {
  UINT format = AlignmentFormat(alignment_) | DT_NOCLIP;
  if (wordWrap_) format |= DT_WORDBREAK;
  if (endEllipsis_) format = (format & ~DT_WORDBREAK & ~DT_NOCLIP) | DT_SINGLELINE | DT_END_ELLIPSIS;
  if (!showAccelChar_) format |= DT_NOPREFIX;
  return format;
}

void TLabel::TextChanged() {
  AdjustSize();
  Invalidate();
}

namespace {
// The backdrop the caption is measured on: no colour a label paints with,
// nor a blend of one with it, comes out as this one.
constexpr COLORREF kMeasureBackdrop = RGB(3, 250, 7);
}  // namespace

TLabel::TPaintedText TLabel::MeasurePainted(const std::wstring& text, int wrapWidth) {
  const int margin = TextMargin();
  TScreenDC screen;
  TDCOwner dc(CreateCompatibleDC(screen.Get()));
  if (!dc) return TPaintedText{{2 * margin, 2 * margin}, 0};
  TSelectObject font(dc.get(), CurrentFont());
  const UINT format = (TextFormat() & ~DT_END_ELLIPSIS) | DT_NOCLIP;
  RECT extent{0, 0, wrapWidth, 0};
  if (text.empty()) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.get(), &tm);
    extent.bottom = tm.tmHeight;
    extent.right = 0;
  } else {
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent, format | DT_CALCRECT);
  }
  const int width = extent.right - extent.left, height = extent.bottom - extent.top;
  int inkRight = width, inkBottom = height;
  // The caption is painted as the label paints it, with room around it, and
  // the pixels it covers are counted: relief copies, and glyphs that some
  // fonts paint wider than their advance widths say, reach past the extent.
  const int pad = std::max(height, 8);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width + 2 * pad;
  info.bmiHeader.biHeight = -(height + 2 * pad);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  TBitmapOwner canvas(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!text.empty() && canvas && bits) {
    TSelectObject select(dc.get(), canvas.get());
    const RECT all{0, 0, width + 2 * pad, height + 2 * pad};
    FillRect(dc.get(), &all, SolidBrush(kMeasureBackdrop).get());
    DrawCaption(dc.get(), text, RECT{pad, pad, pad + width, pad + height}, format);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    const DWORD backdrop =
        (GetRValue(kMeasureBackdrop) << 16) | (GetGValue(kMeasureBackdrop) << 8) | GetBValue(kMeasureBackdrop);
    for (int y = 0; y < all.bottom; ++y)
      for (int x = 0; x < all.right; ++x)
        if ((pixels[y * all.right + x] & 0xFFFFFF) != backdrop) {
          inkRight = std::max(inkRight, x + 1 - pad);
          inkBottom = std::max(inkBottom, y + 1 - pad);
        }
  }
  // The margins hold the relief; what reaches further widens the box.
  return TPaintedText{{margin + std::max(width + margin, inkRight), margin + std::max(height + margin, inkBottom)},
                      std::max(0, inkRight - width - margin)};
}

int TLabel::RoomRight(const RECT& box) const {
  const HWND parent = GetParent(Handle());
  RECT area{};
  GetClientRect(parent, &area);
  int limit = area.right;
  for (HWND sibling = GetWindow(parent, GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(sibling, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    // Hidden controls count too: shown later, they must not be covered. A
    // control that starts left of the label (the band it lies on) is its
    // backdrop, not a neighbour.
    if (sibling != Handle() && r.left > box.left && r.top < box.bottom && r.bottom > box.top)
      limit = std::min<int>(limit, std::max<int>(r.left, box.right));
  }
  return limit;
}

int TLabel::RoomLeft(const RECT& box) const {
  const HWND parent = GetParent(Handle());
  int limit = 0;
  for (HWND sibling = GetWindow(parent, GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(sibling, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    if (sibling != Handle() && r.right < box.right && r.top < box.bottom && r.bottom > box.top)
      limit = std::max<int>(limit, std::min<int>(r.right, box.left));
  }
  return limit;
}

void TLabel::AdjustSize() {
  if (!Handle()) return;
  if (!autoSize_ && (wordWrap_ || endEllipsis_)) {
    // A fixed paragraph wraps inside its box, and a line that ends in "..."
    // shortens itself to it.
    overhang_ = 0;
    const RECT now = BoundsRect();
    if (!EqualRect(&now, &box_))
      TGraphicControl::SetBounds(box_.left, box_.top, box_.right - box_.left, box_.bottom - box_.top);
    return;
  }
  const TPaintedText painted = MeasurePainted(Caption(), autoSize_ && wordWrap_ ? ClientRect().right : 0);
  overhang_ = painted.Overhang;
  // The place given is where the label stands, whatever it took since.
  RECT place = box_;
  if (autoSize_) {
    if (alignment_ == TAlignment::Right)
      place.left = place.right - painted.Size.cx;
    else
      place.right = place.left + painted.Size.cx;
    place.bottom = place.top + painted.Size.cy;
  } else {
    if (painted.Size.cx > box_.right - box_.left) {
      if (alignment_ == TAlignment::Right)
        place.left = std::max<int>(RoomLeft(box_), box_.right - painted.Size.cx);
      else
        place.right = std::min<int>(RoomRight(box_), box_.left + painted.Size.cx);
    }
  }
  const RECT now = BoundsRect();
  if (!EqualRect(&now, &place))
    TGraphicControl::SetBounds(place.left, place.top, place.right - place.left, place.bottom - place.top);
}

void TLabel::SetBounds(int left, int top, int width, int height) {
  // An auto-sized label takes the place and fits its text to it again.
  box_ = RECT{left, top, left + width, top + height};
  TGraphicControl::SetBounds(left, top, width, height);
  AdjustSize();
}

void TLabel::Paint(HDC dc, const RECT& client) {
  const std::wstring text = Caption();
  if (text.empty()) return;
  TSelectObject font(dc, CurrentFont());
  RECT rect = client;
  InflateRect(&rect, -TextMargin(), -TextMargin());
  rect.right -= overhang_;
  DrawCaption(dc, text, rect, TextFormat());
}

COLORREF TLabel::LetterColor() const { return HighContrastOn() ? GetSysColor(COLOR_BTNTEXT) : ToColorRef(fontColor_); }

void TLabel::DrawCaption(HDC dc, const std::wstring& text, const RECT& rect, UINT format) {
  TTextLook look;
  look.Color = LetterColor();
  look.Enabled = Enabled();
  DrawEffectText(dc, text, rect, format, look);
}
