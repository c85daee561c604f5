#pragma once
// Fonts that the window descriptions ask for by face, pixel height and style.
#include <windows.h>

#include <string>

#include "widgets/PaintBuffer.h"

struct TFontSpec {
  std::wstring Face = L"MS Sans Serif";
  // Character height in pixels (8 points at 96 pixels per inch is 11).
  int Height = 11;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  BYTE CharSet = DEFAULT_CHARSET;
};

// A new font of the given description, owned by the caller.
TFontOwner MakeFont(const TFontSpec& spec);

// A copy of an existing font (or of the default GUI font when null) with the
// weight and underline changed.
TFontOwner DeriveFont(HFONT base, bool bold, bool underline);
