#include "gui/WindowBuilder.h"

#include <cwchar>

TFontOwner MakeRowFont(HFONT windowFont, const TRowFont& font, int dpi) {
  LOGFONTW lf{};
  if (font.Face) {
    // A face of its own: nothing of the window font carries over.
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lf.lfCharSet = font.CharSet;
    wcsncpy(lf.lfFaceName, font.Face, LF_FACESIZE - 1);
  } else if (!windowFont || !GetObjectW(windowFont, sizeof lf, &lf)) {
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  }
  if (font.Height) lf.lfHeight = -ScaleFontHeight(font.Height, dpi);
  lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = font.Underline;
  if (font.CharSet != DEFAULT_CHARSET) lf.lfCharSet = font.CharSet;
  return TFontOwner(CreateFontIndirectW(&lf));
}
