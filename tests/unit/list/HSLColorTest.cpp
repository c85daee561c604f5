#include "list/HSLColor.h"

#include <gtest/gtest.h>

namespace {

struct Row {
  int r, g, b;
  THSL hsl;
  int r2, g2, b2;
};

// Colours whose integer results sit on half-way points or wrap around the
// hue circle; they only come out right with the extended-precision rules.
const Row kRows[] = {
    {255, 255, 255, {0, 0, 255}, 255, 255, 255},
    {128, 128, 128, {0, 0, 128}, 128, 128, 128},
    {212, 208, 200, {40, 31, 206}, 212, 208, 200},
    {200, 100, 50, {20, 153, 125}, 200, 100, 50},
    {10, 20, 30, {209, 128, 20}, 10, 20, 30},
    {0, 128, 255, {209, 255, 128}, 1, 127, 255},
    {255, 0, 1, {358, 255, 128}, 255, 1, 1},
    {253, 0, 0, {0, 255, 127}, 254, 0, 0},
    {3, 0, 0, {0, 255, 1}, 2, 0, 0},
};

TEST(HSLColor, ConvertsBothWaysAsTabled) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::Message() << row.r << "," << row.g << "," << row.b);
    THSL hsl{-1, -1, -1};
    RGBToHSL(RGBColor(row.r, row.g, row.b), hsl);
    EXPECT_EQ(hsl.Hue, row.hsl.Hue);
    EXPECT_EQ(hsl.Saturation, row.hsl.Saturation);
    EXPECT_EQ(hsl.Lightness, row.hsl.Lightness);
    EXPECT_EQ(HSLToRGB(row.hsl), RGBColor(row.r2, row.g2, row.b2));
  }
}

TEST(HSLColor, ShadingCasesOfTheGrid) {
  EXPECT_EQ(HSLToRGB({40, 31, 191}), RGBColor(199, 194, 183));
  EXPECT_EQ(HSLToRGB({51, 88, 211}), RGBColor(226, 222, 196));
  EXPECT_EQ(HSLToRGB({0, 0, 177}), RGBColor(177, 177, 177));
}

TEST(HSLColor, GreysIgnoreHueAndFullTurnEqualsZero) {
  EXPECT_EQ(HSLToRGB({123, 0, 240}), RGBColor(240, 240, 240));
  EXPECT_EQ(HSLToRGB({0, 0, 30}), RGBColor(30, 30, 30));
  EXPECT_EQ(HSLToRGB({358, 200, 100}), HSLToRGB({0, 200, 100}));
  THSL green{};
  RGBToHSL(RGBColor(0, 255, 0), green);
  EXPECT_EQ(green.Hue, 119);
  THSL blue{};
  RGBToHSL(RGBColor(0, 0, 255), blue);
  EXPECT_EQ(blue.Hue, 239);
}

}  // namespace
