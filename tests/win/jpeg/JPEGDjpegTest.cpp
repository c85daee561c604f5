// The JPEG picture's decoded pixels against djpeg's for the same file and
// the same libjpeg settings, exactly. The build makes the files with cjpeg
// and djpeg (make_djpeg_refs.py) into bin/djpeg beside this program;
// cases.txt there names each case's JPEG file and djpeg's output.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "pictures/jpeg/JPEGImage.h"

namespace {

// Our settings for each case of make_djpeg_refs.py, whose table gives the
// matching djpeg switches.
using TCase = std::pair<std::string, TJPEGDecodeSettings>;
constexpr auto Fast = TJPEGPerformance::jpBestSpeed;
constexpr auto EightBit = TJPEGPixelFormat::jf8Bit;
const std::vector<TCase> Cases = {
    {"default", {}},
    {"fast", {.Performance = Fast}},
    {"half", {.Scale = TJPEGScale::jsHalf}},
    {"quarter", {.Scale = TJPEGScale::jsQuarter}},
    {"eighth", {.Scale = TJPEGScale::jsEighth}},
    {"gray-file-24bit", {}},
    {"grayscale", {.Grayscale = true}},
    {"progressive", {}},
    {"progressive-display", {.ProgressiveDisplay = true}},
    {"progressive-display-8bit", {.PixelFormat = EightBit, .ProgressiveDisplay = true}},
    {"truncated-progressive", {}},
    {"no-smoothing", {.Smoothing = false}},
    {"8bit-two-pass", {.PixelFormat = EightBit}},
    {"8bit-one-pass", {.PixelFormat = EightBit, .Performance = Fast}},
};

// The folder of the reference files, beside this program.
std::filesystem::path Folder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::wstring(path, n)).parent_path() / "djpeg";
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// "case file.jpg reference" per line.
std::map<std::string, std::pair<std::string, std::string>> ReadCases() {
  std::map<std::string, std::pair<std::string, std::string>> cases;
  std::ifstream in(Folder() / "cases.txt");
  std::string name, jpeg, ref;
  while (in >> name >> jpeg >> ref) cases[name] = {jpeg, ref};
  return cases;
}

// A binary PPM (P6) or PGM (P5) file as RGB triples.
struct TPnm {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Rgb;
};

TPnm ReadPnm(const std::filesystem::path& path) {
  const auto bytes = ReadFile(path);
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  std::string magic;
  int max = 0;
  TPnm pnm;
  in >> magic >> pnm.Width >> pnm.Height >> max;
  in.get();
  const int channels = magic == "P6" ? 3 : 1;
  const std::size_t count = std::size_t(pnm.Width) * pnm.Height;
  std::vector<char> raw(count * channels);
  in.read(raw.data(), std::streamsize(raw.size()));
  pnm.Rgb.resize(count * 3);
  for (std::size_t i = 0; i < count; ++i)
    for (int c = 0; c < 3; ++c) pnm.Rgb[i * 3 + c] = std::uint8_t(raw[i * channels + (channels == 3 ? c : 0)]);
  return pnm;
}

class JPEGAgainstDjpeg : public testing::TestWithParam<TCase> {};

TEST(JPEGDjpegReferences, EveryCaseHasOne) {
  const auto cases = ReadCases();
  ASSERT_EQ(cases.size(), Cases.size()) << "cases.txt in " << Folder();
  for (const auto& [name, settings] : Cases) EXPECT_EQ(cases.count(name), 1u) << name;
}

TEST_P(JPEGAgainstDjpeg, SamePixels) {
  const auto& [name, s] = GetParam();
  const auto cases = ReadCases();
  ASSERT_EQ(cases.count(name), 1u) << "no reference for " << name << " in " << Folder();
  const auto& [jpeg, ref] = cases.at(name);
  const TPnm expected = ReadPnm(Folder() / ref);
  ASSERT_GT(expected.Width, 0) << ref;

  TJPEGImage image;
  {
    TMemoryStream stream(ReadFile(Folder() / jpeg));
    image.LoadFromStream(stream);
  }
  image.SetScale(s.Scale);
  image.SetPixelFormat(s.PixelFormat);
  image.SetGrayscale(s.Grayscale);
  image.SetPerformance(s.Performance);
  image.SetSmoothing(s.Smoothing);
  image.SetProgressiveDisplay(s.ProgressiveDisplay);
  TBitmap& bitmap = image.Bitmap();
  ASSERT_EQ(bitmap.GetWidth(), expected.Width);
  ASSERT_EQ(bitmap.GetHeight(), expected.Height);
  ASSERT_EQ(bitmap.PixelFormat(), s.EightBit() ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);

  // 8-bit: the colours the DIB's indices refer to when it is drawn.
  RGBQUAD table[256] = {};
  UINT colors = 0;
  if (s.EightBit()) {
    colors = GetDIBColorTable(bitmap.Canvas().Handle(), 0, 256, table);
    ASSERT_GT(colors, 0u);
  }
  int mismatches = 0;
  std::string first;
  for (int y = 0; y < expected.Height; ++y) {
    const std::uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < expected.Width; ++x) {
      std::uint8_t r, g, b;
      if (s.EightBit()) {
        const RGBQUAD q = row[x] < colors ? table[row[x]] : RGBQUAD{};
        r = q.rgbRed, g = q.rgbGreen, b = q.rgbBlue;
      } else {
        b = row[x * 3], g = row[x * 3 + 1], r = row[x * 3 + 2];
      }
      const std::uint8_t* e = &expected.Rgb[(std::size_t(y) * expected.Width + x) * 3];
      if (r == e[0] && g == e[1] && b == e[2]) continue;
      if (mismatches++ == 0) {
        std::ostringstream at;
        at << "(" << x << "," << y << "): ours " << int(r) << "," << int(g) << "," << int(b) << " djpeg " << int(e[0])
           << "," << int(e[1]) << "," << int(e[2]);
        first = at.str();
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << name << ": first difference at " << first;
}

INSTANTIATE_TEST_SUITE_P(Cases, JPEGAgainstDjpeg, testing::ValuesIn(Cases), [](const auto& info) {
  std::string n = info.param.first;
  for (char& c : n)
    if (c == '-') c = '_';
  return n;
});

}  // namespace
