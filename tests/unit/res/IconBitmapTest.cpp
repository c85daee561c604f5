// The committed program icon and glyph bitmaps: their layouts as the
// platform's icon and bitmap loaders read them.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "GifWalk.h"

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  if (at + 4 > b.size()) throw std::runtime_error("read past the end");
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  if (at + 2 > b.size()) throw std::runtime_error("read past the end");
  return std::uint16_t(b[at] | (b[at + 1] << 8));
}

TEST(ProgramIcon, Holds16And32And48PixelImagesIn256Colours) {
  const auto ico = ReadResFile("Dorvane.ico");
  ASSERT_GE(ico.size(), 6u);
  EXPECT_EQ(U16(ico, 0), 0);
  EXPECT_EQ(U16(ico, 2), 1);  // an icon, not a cursor
  ASSERT_EQ(U16(ico, 4), 3);
  std::set<int> sizes;
  for (int i = 0; i < 3; ++i) {
    const std::size_t e = 6 + 16 * i;
    const int w = ico.at(e) ? ico.at(e) : 256, h = ico.at(e + 1) ? ico.at(e + 1) : 256;
    SCOPED_TRACE(std::to_string(w) + " pixels");
    sizes.insert(w);
    EXPECT_EQ(w, h);
    EXPECT_EQ(ico.at(e + 2), 0);  // 0 stands for 256 colours
    EXPECT_EQ(U16(ico, e + 4), 1);
    EXPECT_EQ(U16(ico, e + 6), 8);
    const std::uint32_t bytes = U32(ico, e + 8), at = U32(ico, e + 12);
    ASSERT_LE(std::size_t(at) + bytes, ico.size());
    // The image itself: a bitmap header whose height counts the colour
    // rows and the mask rows, a 256-entry map, the pixels and the mask.
    EXPECT_EQ(U32(ico, at), 40u);
    EXPECT_EQ(int(U32(ico, at + 4)), w);
    EXPECT_EQ(int(U32(ico, at + 8)), 2 * h);
    EXPECT_EQ(U16(ico, at + 12), 1);
    EXPECT_EQ(U16(ico, at + 14), 8);
    EXPECT_EQ(U32(ico, at + 16), 0u);
    const std::size_t xorRow = (w + 3) / 4 * 4, andRow = (w + 31) / 32 * 4;
    EXPECT_EQ(bytes, 40 + 256 * 4 + xorRow * h + andRow * h);
    // The corners are see-through, the middle is drawn.
    const std::size_t mask = at + 40 + 1024 + xorRow * h;
    EXPECT_TRUE(ico.at(mask + andRow * (h - 1)) & 0x80) << "top-left corner";
    const std::size_t mid = mask + andRow * (h / 2) + (w / 2) / 8;
    EXPECT_FALSE(ico.at(mid) & (0x80 >> ((w / 2) % 8))) << "centre";
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
}

struct TBitmapFacts {
  int Width = 0, Height = 0, Bits = 0;
  std::vector<std::array<std::uint8_t, 3>> Pixels;  // top-down, RGB
  std::array<std::uint8_t, 3> At(int x, int y) const { return Pixels.at(std::size_t(y) * Width + x); }
};

TBitmapFacts ReadBitmap(const std::string& name) {
  const auto b = ReadResFile(name);
  TBitmapFacts bmp;
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') throw std::runtime_error(name + " is not a bitmap");
  if (U32(b, 2) != b.size()) throw std::runtime_error(name + " has a wrong file size");
  const std::uint32_t bits = U32(b, 10);
  if (U32(b, 14) != 40 || U32(b, 30) != 0) throw std::runtime_error(name + " has an unexpected header");
  bmp.Width = int(U32(b, 18));
  bmp.Height = int(U32(b, 22));
  bmp.Bits = U16(b, 28);
  if (bmp.Bits != 24 || bmp.Width <= 0 || bmp.Height <= 0) return bmp;
  const std::size_t row = (std::size_t(bmp.Width) * 3 + 3) / 4 * 4;
  if (bits + row * bmp.Height > b.size()) throw std::runtime_error(name + " is cut short");
  for (int y = 0; y < bmp.Height; ++y) {
    const std::size_t r = bits + row * (bmp.Height - 1 - y);
    for (int x = 0; x < bmp.Width; ++x) bmp.Pixels.push_back({b[r + 3 * x + 2], b[r + 3 * x + 1], b[r + 3 * x]});
  }
  return bmp;
}

struct TGlyph {
  const char* File;
  int Width, Height;
};

void PrintTo(const TGlyph& g, std::ostream* os) { *os << g.File; }

class Glyph : public testing::TestWithParam<TGlyph> {};

TEST_P(Glyph, Is24BitWithItsSeeThroughColourInTheLowerLeftOnly) {
  const TBitmapFacts bmp = ReadBitmap(GetParam().File);
  EXPECT_EQ(bmp.Width, GetParam().Width);
  EXPECT_EQ(bmp.Height, GetParam().Height);
  ASSERT_EQ(bmp.Bits, 24);
  // The lower-left pixel names the see-through colour: it must frame the
  // picture, and the drawing itself must use other colours.
  const auto key = bmp.At(0, bmp.Height - 1);
  EXPECT_EQ(bmp.At(0, 0), key);
  EXPECT_EQ(bmp.At(bmp.Width - 1, 0), key);
  std::set<std::array<std::uint8_t, 3>> drawn;
  int keyed = 0;
  for (const auto& p : bmp.Pixels) {
    if (p == key)
      ++keyed;
    else
      drawn.insert(p);
  }
  EXPECT_GT(keyed, 0);
  EXPECT_LT(keyed, int(bmp.Pixels.size()) * 9 / 10);
  EXPECT_GT(drawn.size(), 8u);
}

INSTANTIATE_TEST_SUITE_P(Res, Glyph,
                         testing::Values(TGlyph{"add.bmp", 18, 18}, TGlyph{"remove.bmp", 18, 18},
                                         TGlyph{"clear.bmp", 18, 18}, TGlyph{"about.bmp", 18, 18},
                                         TGlyph{"close.bmp", 18, 18}, TGlyph{"ok.bmp", 18, 18},
                                         TGlyph{"start.bmp", 36, 18}, TGlyph{"stop.bmp", 36, 18},
                                         TGlyph{"thumb.bmp", 36, 18}, TGlyph{"bullet.bmp", 9, 11}));

// Left half against right half of a two-state bitmap.
std::pair<int, int> CompareHalves(const TBitmapFacts& bmp, bool* rightIsGrey) {
  const auto key = bmp.At(0, bmp.Height - 1);
  int differ = 0, shapeDiffers = 0;
  *rightIsGrey = true;
  for (int y = 0; y < bmp.Height; ++y)
    for (int x = 0; x < bmp.Width / 2; ++x) {
      const auto l = bmp.At(x, y), r = bmp.At(x + bmp.Width / 2, y);
      differ += l != r;
      shapeDiffers += (l == key) != (r == key);
      if (r != key && (r[0] != r[1] || r[1] != r[2])) *rightIsGrey = false;
    }
  return {differ, shapeDiffers};
}

TEST(TwoStateGlyph, DisabledHalfIsAGreyCopyOfTheNormalHalf) {
  for (const char* file : {"start.bmp", "stop.bmp"}) {
    SCOPED_TRACE(file);
    const TBitmapFacts bmp = ReadBitmap(file);
    ASSERT_EQ(bmp.Width, 36);
    bool grey = false;
    const auto [differ, shapeDiffers] = CompareHalves(bmp, &grey);
    EXPECT_GT(differ, 50);
    EXPECT_EQ(shapeDiffers, 0);
    EXPECT_TRUE(grey);
  }
}

TEST(TrackThumb, HotHalfLooksDifferentFromTheNormalHalf) {
  const TBitmapFacts bmp = ReadBitmap("thumb.bmp");
  ASSERT_EQ(bmp.Width, 36);
  bool grey = false;
  EXPECT_GT(CompareHalves(bmp, &grey).first, 50);
  EXPECT_FALSE(grey);
}

}  // namespace
