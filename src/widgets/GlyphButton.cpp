#include "widgets/GlyphButton.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <utility>
#include <vector>

#include "widgets/TextEffect.h"

namespace {
// The glyph part of the picture: the half for the state, with its own
// transparent colour (its bottom-left pixel).
struct TGlyphPart {
  int X = 0;
  int Width = 0;
  int Height = 0;
};

// Draws one part of a glyph grey and lighter: the disabled look of a button
// that has no picture of its own for it.
void DrawGreyed(HDC dc, const RECT& to, HBITMAP source, const TGlyphPart& part, COLORREF transparent) {
  TMemoryBitmap grey(part.Width, part.Height, dc);
  {
    TDCOwner sourceDC(CreateCompatibleDC(dc));
    TSelectObject select(sourceDC.get(), source);
    BitBlt(grey.DC(), 0, 0, part.Width, part.Height, sourceDC.get(), part.X, 0, SRCCOPY);
  }
  for (int py = 0; py < part.Height; ++py)
    for (int px = 0; px < part.Width; ++px) {
      const COLORREF c = GetPixel(grey.DC(), px, py);
      if (c == transparent) continue;
      const int level = 96 + (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100 * 5 / 8;
      SetPixel(grey.DC(), px, py, RGB(level, level, level));
    }
  TransparentBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, grey.DC(), 0, 0, part.Width, part.Height,
                 transparent);
}

struct TThemeOwner {
  HTHEME theme;
  explicit TThemeOwner(HWND hwnd) : theme(IsAppThemed() ? OpenThemeData(hwnd, L"BUTTON") : nullptr) {}
  ~TThemeOwner() {
    if (theme) CloseThemeData(theme);
  }
  TThemeOwner(const TThemeOwner&) = delete;
  TThemeOwner& operator=(const TThemeOwner&) = delete;
};
}  // namespace

TGlyphButton::TGlyphButton(HWND parent, const TBounds& bounds, const std::wstring& caption, TBitmapOwner glyph,
                           int numGlyphs, bool isDefault)
    : default_(isDefault) {
  SetGlyph(std::move(glyph), numGlyphs);
  CreateSystem(L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, parent, bounds);
}

void TGlyphButton::SetGlyph(TBitmapOwner glyph, int numGlyphs) {
  glyph_ = std::move(glyph);
  numGlyphs_ = numGlyphs < 1 ? 1 : numGlyphs > 2 ? 2 : numGlyphs;
  Invalidate();
}

void TGlyphButton::SetMargin(int margin) {
  margin_ = margin < -1 ? -1 : margin;
  Invalidate();
}

void TGlyphButton::SetSpacing(int spacing) {
  spacing_ = spacing < 0 ? 0 : spacing;
  Invalidate();
}

void TGlyphButton::SetDefault(bool value) {
  default_ = value;
  Invalidate();
}

void TGlyphButton::PerformClick() {
  if (Handle()) SendMessageW(Handle(), BM_CLICK, 0, 0);
}

bool TGlyphButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

bool TGlyphButton::HandleDrawItem(DRAWITEMSTRUCT* item) {
  DrawFace(item->hDC, item->rcItem, item->itemState);
  return true;
}

void TGlyphButton::PaintTo(HDC dc, UINT itemState) { DrawFace(dc, ClientRect(), itemState); }

bool TGlyphButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_GETDLGCODE:
      result = DLGC_BUTTON | (default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      return true;
    case BM_SETSTYLE:
      // The dialog manager moves the default frame with BM_SETSTYLE; the
      // owner-drawn style itself must stay.
      default_ = (wParam & 0x0F) == BS_DEFPUSHBUTTON;
      if (lParam) Invalidate();
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_MOUSEMOVE:
      if (!hot_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        hot_ = true;
        Invalidate(false);
      }
      return false;
    case WM_MOUSELEAVE:
      hot_ = false;
      Invalidate(false);
      return false;
    default:
      return false;
  }
}

void TGlyphButton::DrawFace(HDC dc, const RECT& rect, UINT itemState) {
  const bool disabled = itemState & ODS_DISABLED;
  const bool pushed = itemState & ODS_SELECTED;
  TThemeOwner theme(Handle());
  RECT content = rect;
  if (theme.theme) {
    int state = PBS_NORMAL;
    if (disabled)
      state = PBS_DISABLED;
    else if (pushed)
      state = PBS_PRESSED;
    else if (hot_)
      state = PBS_HOT;
    else if (default_ || (itemState & ODS_FOCUS))
      state = PBS_DEFAULTED;
    if (IsThemeBackgroundPartiallyTransparent(theme.theme, BP_PUSHBUTTON, state)) {
      RECT behind = rect;
      DrawThemeParentBackground(Handle(), dc, &behind);
    }
    DrawThemeBackground(theme.theme, dc, BP_PUSHBUTTON, state, &rect, nullptr);
    GetThemeBackgroundContentRect(theme.theme, dc, BP_PUSHBUTTON, state, &rect, &content);
  } else {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    RECT frame = rect;
    if (default_ || (itemState & ODS_FOCUS)) {
      // The default button's extra black frame.
      FrameRect(dc, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
      InflateRect(&frame, -1, -1);
    }
    if (pushed) {
      FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
      DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    content = frame;
    InflateRect(&content, -2, -2);
    if (pushed) OffsetRect(&content, 1, 1);
  }
  DrawContent(dc, rect, content, itemState, theme.theme != nullptr);
  if ((itemState & ODS_FOCUS) && !(itemState & ODS_NOFOCUSRECT)) {
    RECT focus = rect;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

void TGlyphButton::DrawContent(HDC dc, const RECT& outer, const RECT& content, UINT itemState, bool themed) {
  const bool disabled = itemState & ODS_DISABLED;
  const std::wstring text = Caption();
  TSelectObject font(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  if (itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  SIZE textSize{0, 0};
  if (!text.empty()) {
    RECT calc{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &calc, format | DT_CALCRECT);
    textSize = {calc.right - calc.left, calc.bottom - calc.top};
  }

  BITMAP info{};
  const bool hasGlyph = glyph_ && GetObjectW(glyph_.get(), sizeof info, &info);
  TGlyphPart part;
  if (hasGlyph) {
    part.Width = info.bmWidth / numGlyphs_;
    part.Height = info.bmHeight;
    part.X = disabled && numGlyphs_ > 1 ? part.Width : 0;
  }

  // Place glyph and caption: together in the middle, or the glyph at the
  // margin with the caption after it. The glyph is drawn at the control's
  // DPI, each of its pixels a sharp square.
  const int shownWidth = Scaled(part.Width), shownHeight = Scaled(part.Height);
  const int contentWidth = content.right - content.left;
  const int gap = hasGlyph && !text.empty() ? Scaled(spacing_) : 0;
  int glyphX = 0;
  if (margin_ < 0)
    glyphX = content.left + (contentWidth - (shownWidth + gap + textSize.cx)) / 2;
  else
    glyphX = outer.left + Scaled(margin_) + (!themed && (itemState & ODS_SELECTED) ? 1 : 0);

  if (hasGlyph) {
    const int glyphY = content.top + (content.bottom - content.top - shownHeight) / 2;
    const RECT to{glyphX, glyphY, glyphX + shownWidth, glyphY + shownHeight};
    TDCOwner glyphDC(CreateCompatibleDC(dc));
    TSelectObject select(glyphDC.get(), glyph_.get());
    const COLORREF transparent = GetPixel(glyphDC.get(), part.X, part.Height - 1);
    SetStretchBltMode(dc, COLORONCOLOR);
    if (disabled && numGlyphs_ < 2) {
      DrawGreyed(dc, to, glyph_.get(), part, transparent);
    } else {
      TransparentBlt(dc, glyphX, glyphY, shownWidth, shownHeight, glyphDC.get(), part.X, 0, part.Width, part.Height,
                     transparent);
    }
  }
  if (text.empty()) return;
  RECT textRect{glyphX + shownWidth + gap, content.top, content.right, content.bottom};
  if (textRect.left < content.left) textRect.left = content.left;
  TTextLook look;
  look.Color = GetSysColor(COLOR_BTNTEXT);
  look.Enabled = !disabled;
  DrawEffectText(dc, text, textRect, format, look);
}
