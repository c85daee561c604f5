#include "widgets/Label.h"

#include <oleacc.h>

#include <cwctype>

#include "gui/HighContrast.h"
#include "widgets/Underneath.h"

TLabel::TLabel(HWND parent, const TBounds& bounds, const std::wstring& caption, TAlignment alignment)
    : alignment_(alignment) {
  CreateLabel(L"DvLabel", parent, bounds, caption);
}

void TLabel::CreateLabel(const wchar_t* className, HWND parent, const TBounds& bounds, const std::wstring& caption) {
  autoSize_ = bounds.Width <= 0 || bounds.Height <= 0;
  CreateGraphic(className, parent, bounds, caption);
  AdjustSize();
}

void TLabel::SetFontColor(TColor color) {
  fontColor_ = color;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
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
  Invalidate();
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

void TLabel::AdjustSize() {
  if (!autoSize_ || !Handle()) return;
  const std::wstring text = Caption();
  RECT r{0, 0, wordWrap_ ? ClientRect().right : 0, 0};
  {
    TWindowDC window(Handle());
    const HDC dc = window.Get();
    TSelectObject font(dc, CurrentFont());
    if (text.empty()) {
      TEXTMETRICW tm{};
      GetTextMetricsW(dc, &tm);
      r.bottom = tm.tmHeight;
    } else {
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, (TextFormat() & ~DT_END_ELLIPSIS) | DT_CALCRECT);
    }
  }
  const int margin = TextMargin();
  const int width = r.right - r.left + 2 * margin;
  const int height = r.bottom - r.top + 2 * margin;
  RECT bounds = BoundsRect();
  const int left = alignment_ == TAlignment::Right ? bounds.right - width : bounds.left;
  TGraphicControl::SetBounds(left, bounds.top, width, height);
}

void TLabel::SetBounds(int left, int top, int width, int height) {
  // An auto-sized label takes the place and fits its text to it again.
  TGraphicControl::SetBounds(left, top, width, height);
  AdjustSize();
}

void TLabel::Paint(HDC dc, const RECT& client) {
  const std::wstring text = Caption();
  if (text.empty()) return;
  TSelectObject font(dc, CurrentFont());
  RECT rect = client;
  InflateRect(&rect, -TextMargin(), -TextMargin());
  DrawCaption(dc, text, rect, TextFormat());
}

COLORREF TLabel::LetterColor() const { return HighContrastOn() ? GetSysColor(COLOR_BTNTEXT) : ToColorRef(fontColor_); }

void TLabel::DrawCaption(HDC dc, const std::wstring& text, const RECT& rect, UINT format) {
  TTextLook look;
  look.Color = LetterColor();
  look.Enabled = Enabled();
  DrawEffectText(dc, text, rect, format, look);
}
