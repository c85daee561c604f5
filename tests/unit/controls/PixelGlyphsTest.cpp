#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "controls/PixelGlyphs.h"

namespace {
// The layout as rows of '#' (ink) and '.' (background).
std::vector<std::string> Picture(const TPixelLayout& layout) {
  std::vector<std::string> rows(static_cast<size_t>(layout.Rows),
                                std::string(static_cast<size_t>(layout.Columns), '.'));
  for (const TPixelCell& cell : layout.Ink) {
    EXPECT_GE(cell.Column, 0);
    EXPECT_LT(cell.Column, layout.Columns);
    EXPECT_GE(cell.Row, 0);
    EXPECT_LT(cell.Row, layout.Rows);
    rows[static_cast<size_t>(cell.Row)][static_cast<size_t>(cell.Column)] = '#';
  }
  return rows;
}

using Rows = std::vector<std::string>;
}  // namespace

TEST(PixelGlyphs, TableIsWellFormed) {
  std::set<int> codes;
  for (const TGlyph& glyph : PixelGlyphs) {
    EXPECT_GE(glyph.Width, 1);
    EXPECT_LE(glyph.Width, 5);
    const std::string bits = glyph.Bits;
    EXPECT_EQ(bits.size(), static_cast<size_t>(5 * glyph.Width)) << int(glyph.Character);
    EXPECT_EQ(bits.find_first_not_of("01"), std::string::npos);
    EXPECT_TRUE(codes.insert(glyph.Character).second) << "duplicate code " << int(glyph.Character);
  }
  EXPECT_EQ(PixelGlyphs[0].Character, 0);
}

TEST(PixelGlyphs, DigitOneIsFourColumnsWithTrailingGap) {
  const TPixelLayout layout = LayoutPixelText("1");
  EXPECT_EQ(layout.Columns, 4);
  EXPECT_EQ(Picture(layout), (Rows{".#..", "##..", ".#..", ".#..", "###."}));
}

TEST(PixelGlyphs, SixtyIsNineColumns) {
  const TPixelLayout layout = LayoutPixelText("60");
  EXPECT_EQ(layout.Columns, 9);
  EXPECT_EQ(Picture(layout), (Rows{".##...#..", "#....#.#.", "###..#.#.", "#..#.#.#.", ".##...#.."}));
}

TEST(PixelGlyphs, SmallLettersUseCapitalsAndUnknownsTheBox) {
  const TPixelLayout layout = LayoutPixelText("Ab~");
  EXPECT_EQ(layout.Columns, 15);
  EXPECT_EQ(Picture(layout),
            (Rows{".##..###..####.", "#..#.#..#.#..#.", "####.###..#..#.", "#..#.#..#.#..#.", "#..#.###..####."}));
}

TEST(PixelGlyphs, EmptyCaptionHasNoColumns) {
  const TPixelLayout layout = LayoutPixelText("");
  EXPECT_EQ(layout.Columns, 0);
  EXPECT_EQ(layout.Rows, 5);
  EXPECT_TRUE(layout.Ink.empty());
}

TEST(PixelGlyphs, NarrowGlyphsAndSpaceAdvance) {
  EXPECT_EQ(LayoutPixelText(" ").Columns, 4);
  EXPECT_TRUE(LayoutPixelText(" ").Ink.empty());
  for (const char* one : {".", ":", "'", "!", "|"}) EXPECT_EQ(LayoutPixelText(one).Columns, 2) << one;
  EXPECT_EQ(LayoutPixelText("A B").Columns, 5 + 4 + 5);
}

TEST(PixelGlyphs, Western8BitLettersFindTheirCapitals) {
  EXPECT_EQ(GlyphIndex(0xF8), 67);  // o with stroke
  EXPECT_EQ(GlyphIndex(0xE6), 68);  // ae
  EXPECT_EQ(GlyphIndex(0xE5), 69);  // a with ring
  EXPECT_EQ(GlyphIndex(0xD8), 67);
  EXPECT_EQ(GlyphIndex('z'), 26);
  // No glyph: fallback box.
  for (int c : {int('`'), int('~'), int('\\'), 0xC0, 0xF7, 0xFF, 0x80})
    EXPECT_EQ(GlyphIndex(static_cast<unsigned char>(c)), 0) << c;
  EXPECT_EQ(UpperCase1252(0xF7), 0xF7);  // the division sign has no capital
  EXPECT_EQ(UpperCase1252(0xFF), 0x9F);
}

TEST(PixelGlyphs, CaseMappingIsTheCallers) {
  // Without upper-casing a small letter is not in the table.
  auto none = [](unsigned char c) { return c; };
  EXPECT_EQ(GlyphIndex('a', none), 0);
  EXPECT_EQ(LayoutPixelText("a", none).Columns, 5);
}
