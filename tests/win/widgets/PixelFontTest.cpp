#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestHost.h"
#include "controls/PixelFont.h"

namespace {
// The label's pixels as rows of '#' (ink colour) and '.' (left as it was).
std::vector<std::string> Cells(TPixelFont& label, COLORREF ink) {
  const auto bitmap = Render(label.Handle());
  const RECT client = label.ClientRect();
  std::vector<std::string> rows;
  for (int y = 0; y < client.bottom; ++y) {
    std::string row;
    for (int x = 0; x < client.right; ++x) {
      const COLORREF c = PixelAt(*bitmap, x, y);
      EXPECT_TRUE(c == ink || c == RGB(255, 255, 255)) << x << "," << y << " " << std::hex << c;
      row += c == ink ? '#' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

using Rows = std::vector<std::string>;
}  // namespace

TEST(PixelFont, DigitOneSizesItselfAndPaintsOnlyInk) {
  THostWindow host;
  TPixelFont label(host.Panel(), {15, 62, 40, 40});
  label.SetCaption("1");
  EXPECT_EQ(label.Width(), 4);
  EXPECT_EQ(label.Height(), 5);
  EXPECT_EQ(label.Left(), 15);
  EXPECT_EQ(label.Top(), 62);
  EXPECT_EQ(Cells(label, RGB(0, 0, 0)), (Rows{".#..", "##..", ".#..", ".#..", "###."}));
}

TEST(PixelFont, SixtyAndUnknownCharacters) {
  THostWindow host;
  TPixelFont label(host.Panel(), {179, 62});
  label.SetCaption("60");
  EXPECT_EQ(label.Width(), 9);
  EXPECT_EQ(label.Height(), 5);
  label.SetColor(RGBColor(200, 0, 0));
  label.SetCaption("Ab~");
  EXPECT_EQ(label.Width(), 15);
  EXPECT_EQ(Cells(label, RGB(200, 0, 0)),
            (Rows{".##..###..####.", "#..#.#..#.#..#.", "####.###..#..#.", "#..#.#..#.#..#.", "#..#.###..####."}));
}

TEST(PixelFont, EmptyCaptionKeepsTheHeight) {
  THostWindow host;
  TPixelFont label(host.Panel(), {10, 10});
  label.SetSizeFactor(2);
  label.SetCaption(std::string());
  EXPECT_EQ(label.Width(), 0);
  EXPECT_EQ(label.Height(), 10);
}

TEST(PixelFont, SizeFactorScalesCellsAndIgnoresNonPositive) {
  THostWindow host;
  TPixelFont label(host.Panel(), {10, 10});
  label.SetCaption("1");
  label.SetSizeFactor(3);
  EXPECT_EQ(label.Width(), 12);
  EXPECT_EQ(label.Height(), 15);
  const Rows cells = Cells(label, RGB(0, 0, 0));
  const Rows unit{".#..", "##..", ".#..", ".#..", "###."};
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 12; ++x)
      EXPECT_EQ(cells[static_cast<size_t>(y)][static_cast<size_t>(x)],
                unit[static_cast<size_t>(y / 3)][static_cast<size_t>(x / 3)])
          << x << "," << y;
  label.SetSizeFactor(0);
  label.SetSizeFactor(-2);
  EXPECT_EQ(label.SizeFactor(), 3);
  EXPECT_EQ(label.Width(), 12);
  EXPECT_EQ(label.Height(), 15);
}

TEST(PixelFont, LetsTheParentShowThrough) {
  THostWindow host;
  host.PanelControl().SetColor(RGBColor(10, 200, 30));
  TPixelFont label(host.Panel(), {20, 20});
  label.SetCaption("1");
  // With its backdrop, the blank cells show the panel's colour.
  const auto bitmap = Render(label.Handle(), RGB(255, 255, 255), PRF_CLIENT | PRF_ERASEBKGND);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), RGB(10, 200, 30));
  EXPECT_EQ(PixelAt(*bitmap, 3, 4), RGB(10, 200, 30));
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), RGB(0, 0, 0));
}

TEST(PixelFont, LocaleUpperCasingOfWesternLetters) {
  // The test runs under a Western (code page 1252) locale.
  ASSERT_EQ(GetACP(), 1252u);
  EXPECT_EQ(TPixelFont::GlyphIndex('\xF8'), 67);
  EXPECT_EQ(TPixelFont::GlyphIndex('\xE6'), 68);
  EXPECT_EQ(TPixelFont::GlyphIndex('\xE5'), 69);
  EXPECT_EQ(TPixelFont::GlyphIndex('q'), 17);
  EXPECT_EQ(TPixelFont::GlyphIndex('`'), 0);
}

TEST(PixelFont, WideCaptionIsConvertedTo1252) {
  THostWindow host;
  TPixelFont label(host.Panel(), {10, 10});
  label.SetCaption(std::wstring(L"\u00F8\u20AC"));  // o with stroke, euro sign (0x80)
  EXPECT_EQ(label.CaptionText(), std::string("\xF8\x80"));
  EXPECT_EQ(label.Width(), 6 + 5);
}
