#pragma once
// Lettering with a relief: a raised or sunken edge of light, an optional
// shadow, and the disabled (engraved grey) look of the platform.
#include <windows.h>

#include <functional>
#include <string>

enum class TTextEffect { None, Raised, Sunken };
enum class TAlignment { Left, Right, Center };

struct TTextLook {
  COLORREF Color = 0;
  TTextEffect Effect = TTextEffect::None;
  bool Shadow = false;
  bool Enabled = true;
};

// Draws text into rect with DrawText's format flags. The relief copies lie
// one pixel off the face, so callers keep a one-pixel margin free. face, when
// given, paints the face itself in place of a solid-colour DrawText (it gets
// the same rectangle and format). In high contrast only the plain letters
// are drawn, in look.Color (the system's grey text when disabled); callers
// pass a system colour then.
void DrawEffectText(HDC dc, const std::wstring& text, const RECT& rect, UINT format, const TTextLook& look,
                    const std::function<void(const RECT&)>& face = nullptr);

// DrawText format flags for an alignment.
UINT AlignmentFormat(TAlignment alignment);
