#include "widgets/Font.h"

#include <cwchar>

TFontOwner MakeFont(const TFontSpec& spec) {
  LOGFONTW lf{};
  lf.lfHeight = -spec.Height;
  lf.lfWeight = spec.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = spec.Italic;
  lf.lfUnderline = spec.Underline;
  lf.lfCharSet = spec.CharSet;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  wcsncpy(lf.lfFaceName, spec.Face.c_str(), LF_FACESIZE - 1);
  return TFontOwner(CreateFontIndirectW(&lf));
}

TFontOwner DeriveFont(HFONT base, bool bold, bool underline) {
  LOGFONTW lf{};
  if (!base || !GetObjectW(base, sizeof lf, &lf)) GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = underline;
  return TFontOwner(CreateFontIndirectW(&lf));
}
