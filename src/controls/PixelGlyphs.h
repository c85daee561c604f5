#pragma once
// The pixel font of the end marks: 70 glyphs, five cells high, selected by
// their Windows-1252 character code, and the layout of a caption in cells.
// Portable: no platform headers, so the layout is checked natively.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TGlyph {
  unsigned char Character;  // the code that selects the glyph (0: fallback)
  int Width;                // 1 to 5 cells
  const char* Bits;         // 5 x Width cells, "1" ink, "0" background, row by row
};

constexpr int GlyphRows = 5;
constexpr int GlyphCount = 70;

extern const TGlyph PixelGlyphs[GlyphCount];

// Windows-1252 upper-casing without a locale: the Latin letters and the
// accented small letters of the code page (0xE0..0xFE except the division
// sign, and the small s/z/oe with caron/ligature, y with diaeresis).
unsigned char UpperCase1252(unsigned char ch);

// Index of the glyph for ch after upper-casing it with upper; 0 (the
// fallback box) when the table has none.
int GlyphIndex(unsigned char ch, const std::function<unsigned char(unsigned char)>& upper = UpperCase1252);

struct TPixelCell {
  int Column;
  int Row;
  bool operator==(const TPixelCell&) const = default;
};

struct TPixelLayout {
  int Columns = 0;  // the advance: sum over the characters of (glyph width + 1)
  int Rows = GlyphRows;
  std::vector<TPixelCell> Ink;
};

// Lays the caption out from column 0: every glyph is followed by one empty
// column, the last included.
TPixelLayout LayoutPixelText(const std::string& text,
                             const std::function<unsigned char(unsigned char)>& upper = UpperCase1252);
