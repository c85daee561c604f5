#include "widgets/TextEffect.h"

#include "gui/HighContrast.h"

namespace {
void DrawAt(HDC dc, const std::wstring& text, RECT rect, int dx, int dy, UINT format, COLORREF color) {
  OffsetRect(&rect, dx, dy);
  SetTextColor(dc, color);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}
}  // namespace

UINT AlignmentFormat(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::Right:
      return DT_RIGHT;
    case TAlignment::Center:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

void DrawEffectText(HDC dc, const std::wstring& text, const RECT& rect, UINT format, const TTextLook& look,
                    const std::function<void(const RECT&)>& face) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = GetTextColor(dc);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  if (HighContrastOn()) {
    // Plain letters only: no relief, no shadow, no face of its own.
    DrawAt(dc, text, rect, 0, 0, format, look.Enabled ? look.Color : GetSysColor(COLOR_GRAYTEXT));
  } else if (!look.Enabled) {
    // The platform's disabled text: a light copy under a grey face.
    DrawAt(dc, text, rect, 1, 1, format, light);
    DrawAt(dc, text, rect, 0, 0, format, dark);
  } else {
    // Light falls from the top left: a raised face has its light edge up and
    // left and its shadow down and right; a sunken face the other way round.
    const int lightOffset = look.Effect == TTextEffect::Sunken ? 1 : -1;
    if (look.Effect != TTextEffect::None) DrawAt(dc, text, rect, lightOffset, lightOffset, format, light);
    if (look.Shadow) {
      const int shadowOffset = look.Effect == TTextEffect::Sunken ? -1 : 1;
      DrawAt(dc, text, rect, shadowOffset, shadowOffset, format, dark);
    }
    if (face)
      face(rect);
    else
      DrawAt(dc, text, rect, 0, 0, format, look.Color);
  }
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}
