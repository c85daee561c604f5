// Decoding with libjpeg: headers, scaled sizes, colour order, quantisation
// and the errors of broken input.
#include <gtest/gtest.h>
#include <jerror.h>

#include <cstring>
#include <set>
#include <string>

#include "JPEGTestImages.h"
#include "gui/Cancel.h"
#include "pictures/jpeg/JPEGDecoder.h"
#include "pictures/jpeg/JPEGError.h"
#include "pictures/jpeg/JPEGPreviewScale.h"
#include "pictures/jpeg/JPEGRaster.h"

namespace {

std::string ErrorText(int code) { return "JPEG error #" + std::to_string(code); }

TJPEGRaster Decode(const std::vector<std::uint8_t>& file, const TJPEGDecodeSettings& settings = {}) {
  TJPEGRaster raster;
  TJPEGDecoder decoder(file.data(), file.size(), settings);
  EXPECT_TRUE(decoder.Decode(raster));
  return raster;
}

std::string DecodeError(const std::vector<std::uint8_t>& file, const TJPEGDecodeSettings& settings = {}) {
  TJPEGRaster raster;
  TJPEGDecoder decoder(file.data(), file.size(), settings);
  try {
    decoder.Decode(raster);
  } catch (const EJPEG& e) {
    return e.what();
  }
  return "no error";
}

void ExpectQuadrants(const TJPEGRaster& r) {
  const int w = r.Width(), h = r.Height();
  for (auto [x, y] : {std::pair{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}}) {
    const TJPEGColor got = r.Pixel(x, y);
    const TJPEGColor want = QuadrantColor(x, y, w, h);
    EXPECT_TRUE(Near(got, want, 40)) << x << "," << y << " got " << int(got.Red) << " " << int(got.Green) << " "
                                     << int(got.Blue);
  }
}

}  // namespace

TEST(JPEGDecoder, HeaderTellsSizeColourSpaceAndScans) {
  const auto baseline = QuadrantJPEG(37, 23);
  TJPEGHeader h = TJPEGDecoder::ReadHeader(baseline.data(), baseline.size());
  EXPECT_EQ(h.Width, 37);
  EXPECT_EQ(h.Height, 23);
  EXPECT_FALSE(h.Grayscale);
  EXPECT_FALSE(h.Progressive);

  const auto progressive = QuadrantJPEG(40, 30, {90, true, false});
  EXPECT_TRUE(TJPEGDecoder::ReadHeader(progressive.data(), progressive.size()).Progressive);
  const auto gray = QuadrantJPEG(16, 16, {90, false, true});
  EXPECT_TRUE(TJPEGDecoder::ReadHeader(gray.data(), gray.size()).Grayscale);
}

TEST(JPEGDecoder, TwentyFourBitRowsAreBlueGreenRed) {
  for (bool progressive : {false, true}) {
    const TJPEGRaster r = Decode(QuadrantJPEG(64, 48, {95, progressive, false}));
    ASSERT_EQ(r.Width(), 64);
    ASSERT_EQ(r.Height(), 48);
    EXPECT_EQ(r.BitsPerPixel(), 24);
    // Top-left pixel bytes: blue, green, red of red.
    EXPECT_LT(r.Row(4)[4 * 3], 40);
    EXPECT_GT(r.Row(4)[4 * 3 + 2], 215);
    ExpectQuadrants(r);
  }
}

TEST(JPEGDecoder, GrayscaleFileToTwentyFourBitsRepeatsTheGray) {
  const TJPEGRaster r = Decode(QuadrantJPEG(32, 32, {90, false, true}));
  ASSERT_EQ(r.BitsPerPixel(), 24);
  for (int y = 0; y < 32; y += 5)
    for (int x = 0; x < 32; x += 5) {
      const TJPEGColor c = r.Pixel(x, y);
      EXPECT_EQ(c.Red, c.Green);
      EXPECT_EQ(c.Green, c.Blue);
    }
}

TEST(JPEGDecoder, ReducedScalesRoundUpAndDecodeToThatSize) {
  const auto file = QuadrantJPEG(37, 23);
  const int expected[4][2] = {{37, 23}, {19, 12}, {10, 6}, {5, 3}};
  for (int s = 0; s < 4; ++s) {
    TJPEGDecodeSettings settings;
    settings.Scale = static_cast<TJPEGScale>(s);
    TJPEGDecoder decoder(file.data(), file.size(), settings);
    const TJPEGSize size = decoder.OutputSize();
    EXPECT_EQ(size.Width, expected[s][0]) << s;
    EXPECT_EQ(size.Height, expected[s][1]) << s;
    TJPEGRaster r;
    ASSERT_TRUE(decoder.Decode(r));
    EXPECT_EQ(r.Width(), size.Width);
    EXPECT_EQ(r.Height(), size.Height);
  }
  TJPEGDecodeSettings eighth;
  eighth.Scale = TJPEGScale::jsEighth;
  ExpectQuadrants(Decode(QuadrantJPEG(256, 128), eighth));
}

TEST(JPEGDecoder, EightBitDecodesQuantiseToAtMost236Colours) {
  const auto file = RampJPEG(96, 64);
  for (auto speed : {TJPEGPerformance::jpBestQuality, TJPEGPerformance::jpBestSpeed}) {
    for (bool buffered : {false, true}) {
      TJPEGDecodeSettings settings;
      settings.PixelFormat = TJPEGPixelFormat::jf8Bit;
      settings.Performance = speed;
      settings.ProgressiveDisplay = buffered;
      const auto source = buffered ? RampJPEG(96, 64, {90, true, false}) : file;
      TJPEGRaster r;
      TJPEGDecoder decoder(source.data(), source.size(), settings);
      ASSERT_TRUE(decoder.Decode(r));
      EXPECT_TRUE(decoder.PaletteModified);
      EXPECT_EQ(r.BitsPerPixel(), 8);
      ASSERT_GT(r.Colors().size(), 16u);
      EXPECT_LE(r.Colors().size(), 236u);
      std::set<int> used;
      for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) {
          ASSERT_LT(r.Row(y)[x], r.Colors().size());
          used.insert(r.Row(y)[x]);
        }
      EXPECT_GT(used.size(), 16u);
      // The corner colours survive quantisation roughly.
      EXPECT_TRUE(Near(r.Pixel(0, 0), TJPEGColor{0, 0, 0}, 48));
      EXPECT_TRUE(Near(r.Pixel(95, 63), TJPEGColor{255, 255, 127}, 48));
    }
  }
}

TEST(JPEGDecoder, CallerPaletteIsUsedExactly) {
  const std::vector<TJPEGColor> palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  TJPEGDecodeSettings settings;
  settings.PixelFormat = TJPEGPixelFormat::jf8Bit;
  const auto file = QuadrantJPEG(40, 40);
  TJPEGRaster r;
  TJPEGDecoder decoder(file.data(), file.size(), settings);
  decoder.CallerPalette = palette;
  ASSERT_TRUE(decoder.Decode(r));
  EXPECT_FALSE(decoder.PaletteModified);
  EXPECT_EQ(r.Colors(), palette);
  EXPECT_EQ(r.Row(5)[5], 0);
  EXPECT_EQ(r.Row(5)[35], 1);
  EXPECT_EQ(r.Row(35)[5], 2);
  EXPECT_EQ(r.Row(35)[35], 3);
}

TEST(JPEGDecoder, GrayscaleOutputIsAnEightBitGrayRamp) {
  TJPEGDecodeSettings settings;
  settings.Grayscale = true;
  // A caller palette cannot apply to one-channel output; the decoder's own
  // gray ramp is used.
  const auto file = QuadrantJPEG(32, 32);
  TJPEGRaster r;
  TJPEGDecoder decoder(file.data(), file.size(), settings);
  decoder.CallerPalette = {{255, 0, 0}, {0, 255, 0}};
  ASSERT_TRUE(decoder.Decode(r));
  EXPECT_EQ(r.BitsPerPixel(), 8);
  EXPECT_LE(r.Colors().size(), 236u);
  EXPECT_GT(r.Colors().size(), 2u);
  for (const auto& c : r.Colors()) {
    EXPECT_EQ(c.Red, c.Green);
    EXPECT_EQ(c.Green, c.Blue);
  }
  EXPECT_TRUE(Near(r.Pixel(28, 28), TJPEGColor{255, 255, 255}, 8));
}

TEST(JPEGDecoder, EmptyGarbageAndBrokenHeadersRaiseEJPEG) {
  const std::vector<std::uint8_t> empty;
  EXPECT_EQ(DecodeError(empty), ErrorText(JERR_INPUT_EMPTY));
  EXPECT_EQ(ErrorText(JERR_INPUT_EMPTY), "JPEG error #42");
  try {
    TJPEGDecoder::ReadHeader(empty.data(), 0);
    ADD_FAILURE();
  } catch (const EJPEG& e) {
    EXPECT_STREQ(e.what(), "JPEG error #42");
  }

  const std::vector<std::uint8_t> garbage = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0};
  EXPECT_EQ(DecodeError(garbage), ErrorText(JERR_NO_SOI));
  EXPECT_THROW(TJPEGDecoder::ReadHeader(garbage.data(), garbage.size()), EJPEG);

  // Cut inside the header: no image to read.
  auto file = QuadrantJPEG(64, 64);
  const std::vector<std::uint8_t> cutHeader(file.begin(), file.begin() + 100);
  EXPECT_THROW(TJPEGDecoder::ReadHeader(cutHeader.data(), cutHeader.size()), EJPEG);
  EXPECT_NE(DecodeError(cutHeader), "no error");

  // A frame header claiming zero width.
  auto zero = file;
  for (std::size_t i = 0; i + 8 < zero.size(); ++i)
    if (zero[i] == 0xFF && zero[i + 1] == 0xC0) {
      zero[i + 7] = 0;
      zero[i + 8] = 0;
      break;
    }
  EXPECT_EQ(DecodeError(zero), ErrorText(JERR_EMPTY_IMAGE));
}

TEST(JPEGDecoder, CutOffDataDecodesAsFarAsItGoes) {
  for (bool progressive : {false, true}) {
    const auto file = QuadrantJPEG(64, 64, {90, progressive, false});
    // Keep the headers and two thirds of the entropy-coded data after them.
    std::size_t sos = 0;
    while (sos + 1 < file.size() && !(file[sos] == 0xFF && file[sos + 1] == 0xDA)) ++sos;
    ASSERT_LT(sos, file.size() - 20);
    const std::vector<std::uint8_t> cut(file.begin(), file.begin() + std::ptrdiff_t(sos + (file.size() - sos) * 2 / 3));
    TJPEGDecodeSettings settings;
    settings.ProgressiveDisplay = progressive;
    TJPEGRaster r;
    TJPEGDecoder decoder(cut.data(), cut.size(), settings);
    EXPECT_TRUE(decoder.Decode(r));
    ASSERT_EQ(r.Height(), 64);
    EXPECT_TRUE(Near(r.Pixel(8, 8), TJPEGColor{255, 0, 0}, 60)) << progressive;
  }
}

TEST(JPEGDecoder, ProgressReportsFrameTheDecodeAndAnAbortKeepsRows) {
  const auto file = QuadrantJPEG(256, 256);
  std::vector<std::pair<TJPEGProgressStage, int>> reports;
  std::uint32_t now = 0;
  {
    TJPEGRaster r;
    TJPEGDecoder decoder(file.data(), file.size(), {});
    decoder.ProgressClock = [&] { return now += 1000; };
    decoder.OnProgress = [&](TJPEGProgressStage stage, int percent, const TRect&, bool) {
      reports.emplace_back(stage, percent);
    };
    ASSERT_TRUE(decoder.Decode(r));
  }
  ASSERT_GE(reports.size(), 3u);
  EXPECT_EQ(reports.front(), std::pair(TJPEGProgressStage::Starting, 0));
  EXPECT_EQ(reports.back(), std::pair(TJPEGProgressStage::Ending, 100));
  EXPECT_EQ(reports[1].first, TJPEGProgressStage::Running);

  // Stopping half way: no error, the top rows are there.
  reports.clear();
  TJPEGRaster r;
  TJPEGDecoder decoder(file.data(), file.size(), {});
  decoder.ProgressClock = [&] { return now += 1000; };
  decoder.OnProgress = [&](TJPEGProgressStage stage, int percent, const TRect&, bool) {
    reports.emplace_back(stage, percent);
    if (stage == TJPEGProgressStage::Running && percent >= 50) throw EAbort();
  };
  EXPECT_FALSE(decoder.Decode(r));
  EXPECT_EQ(reports.back(), std::pair(TJPEGProgressStage::Ending, 0));
  ASSERT_EQ(r.Height(), 256);
  EXPECT_TRUE(Near(r.Pixel(10, 10), TJPEGColor{255, 0, 0}, 40));
  EXPECT_EQ(r.Pixel(200, 250), (TJPEGColor{0, 0, 0}));  // never decoded

  // Called off through the thread's cancel flag: it stops the same way.
  TCancelFlag flag;
  TCancelScope scope(&flag);
  TJPEGRaster off;
  TJPEGDecoder called(file.data(), file.size(), {});
  called.ProgressClock = [&] { return now += 1000; };
  called.OnProgress = [&](TJPEGProgressStage stage, int percent, const TRect&, bool) {
    if (stage == TJPEGProgressStage::Running && percent >= 50) flag.Set();
  };
  EXPECT_FALSE(called.Decode(off));
  EXPECT_EQ(off.Pixel(200, 250), (TJPEGColor{0, 0, 0}));
}

TEST(JPEGPreviewScale, PicksTheCoarsestScaleThatStillFillsTheBox) {
  // A 6000 x 4000 photo in a 200 x 150 box is shown 200 x 133: 1/8 gives 750 x 500.
  EXPECT_EQ(PreviewScale(6000, 4000, 200, 150), TJPEGScale::jsEighth);
  // 800 x 600 shown at 400 x 300: 1/2 exactly.
  EXPECT_EQ(PreviewScale(800, 600, 400, 300), TJPEGScale::jsHalf);
  EXPECT_EQ(PreviewScale(800, 600, 401, 301), TJPEGScale::jsFullSize);
  EXPECT_EQ(PreviewScale(800, 600, 200, 1000), TJPEGScale::jsQuarter);
  // Small pictures are not enlarged and decode whole.
  EXPECT_EQ(PreviewScale(100, 80, 400, 300), TJPEGScale::jsFullSize);
  EXPECT_EQ(PreviewScale(0, 0, 400, 300), TJPEGScale::jsFullSize);
  EXPECT_EQ(PreviewScale(800, 600, 0, 0), TJPEGScale::jsFullSize);
}

TEST(JPEGDecoder, DamagedFilesNeverCrashOrHang) {
  // Every damaged variant either decodes or raises EJPEG; the sanitizers
  // of the native build watch for anything worse.
  const auto file = QuadrantJPEG(48, 40, {80, true, false});
  std::uint32_t seed = 7;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  int failures = 0;
  for (int round = 0; round < 300; ++round) {
    auto damaged = file;
    const int edits = 1 + int(next() % 4);
    for (int e = 0; e < edits; ++e) damaged[next() % damaged.size()] = std::uint8_t(next() >> 16);
    if (round % 3 == 0) damaged.resize(next() % damaged.size());
    for (bool buffered : {false, true}) {
      TJPEGDecodeSettings settings;
      settings.ProgressiveDisplay = buffered;
      settings.PixelFormat = round % 2 ? TJPEGPixelFormat::jf8Bit : TJPEGPixelFormat::jf24Bit;
      TJPEGRaster r;
      TJPEGDecoder decoder(damaged.data(), damaged.size(), settings);
      try {
        decoder.Decode(r);
      } catch (const EInvalidGraphic&) {
        ++failures;
      }
    }
  }
  EXPECT_GT(failures, 0);
}

namespace {
// Patches the frame header (baseline or progressive) to claim 60000 x 60000.
void ClaimEnormousSize(std::vector<std::uint8_t>& file) {
  for (std::size_t i = 0; i + 8 < file.size(); ++i)
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
      file[i + 5] = 0xEA, file[i + 6] = 0x60;  // height 60000
      file[i + 7] = 0xEA, file[i + 8] = 0x60;  // width 60000
      return;
    }
}
}  // namespace

TEST(JPEGDecoder, AHeaderClaimingAnEnormousPictureIsRefusedBeforeAllocating) {
  auto file = QuadrantJPEG(16, 16);
  ClaimEnormousSize(file);
  EXPECT_EQ(TJPEGDecoder::ReadHeader(file.data(), file.size()).Width, 60000);
  TJPEGRaster r;
  TJPEGDecoder decoder(file.data(), file.size(), {});
  EXPECT_THROW(decoder.Decode(r), EInvalidGraphic);
  EXPECT_EQ(r.Width(), 0);
  // 20000 x 13000 passes the bitmap's own bound but needs 780 MB, which a
  // 32-bit process cannot give: the picture's limit refuses it first.
  for (std::size_t i = 0; i + 8 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xC0) {
      file[i + 5] = 13000 >> 8, file[i + 6] = 13000 & 0xFF, file[i + 7] = 20000 >> 8, file[i + 8] = 20000 & 0xFF;
      break;
    }
  EXPECT_EQ(DecodeError(file), ImageTooLarge);
}

TEST(JPEGDecoder, CMYKAndYCCKShowTheirInksInTrueColour) {
  for (auto [ycck, adobe] : {std::pair{false, false}, {false, true}, {true, true}}) {
    const TJPEGRaster r = Decode(InkJPEG(32, 32, ycck, adobe));
    ASSERT_EQ(r.BitsPerPixel(), 24);
    for (auto [x, y] : {std::pair{8, 8}, {24, 8}, {8, 24}, {24, 24}}) {
      const TJPEGColor got = r.Pixel(x, y), want = InkColor(x, y, 32, 32);
      EXPECT_TRUE(Near(got, want, 12)) << ycck << adobe << " at " << x << "," << y << " got " << int(got.Red) << " "
                                       << int(got.Green) << " " << int(got.Blue);
    }
  }
  // Other output paths stay as they were: libjpeg cannot quantise ink.
  TJPEGDecodeSettings eightBit;
  eightBit.PixelFormat = TJPEGPixelFormat::jf8Bit;
  EXPECT_EQ(DecodeError(InkJPEG(16, 16, false, true), eightBit), ErrorText(JERR_CONVERSION_NOTIMPL));
}

TEST(JPEGDecoder, TheErrorCarriesLibjpegsOwnText) {
  const std::vector<std::uint8_t> text = {'t', 'e', 'x', 't', ' ', 'f', 'i', 'l', 'e'};
  try {
    TJPEGDecoder::ReadHeader(text.data(), text.size());
    ADD_FAILURE();
  } catch (const EJPEG& e) {
    EXPECT_STREQ(e.what(), "JPEG error #53");
    EXPECT_EQ(GraphicErrorText(e), "JPEG error #53: Not a JPEG file: starts with 0x74 0x65");
  }
}

TEST(JPEGDecoder, AnEnormousProgressiveFileRunsIntoTheMemoryCap) {
  // Progressive decoding buffers every coefficient: 60000 x 60000 would need
  // gigabytes before a single row is written.
  auto file = QuadrantJPEG(16, 16, {90, true, false});
  ClaimEnormousSize(file);
  EXPECT_EQ(DecodeError(file), ErrorText(JERR_NO_BACKING_STORE));
}

namespace {
// A progressive file with count empty scans after its first one: copies of
// that scan's header with no data. libjpeg takes each with a warning.
std::vector<std::uint8_t> WithEmptyScans(std::vector<std::uint8_t> file, int count) {
  std::size_t sos = 0;
  while (!(file[sos] == 0xFF && file[sos + 1] == 0xDA)) ++sos;
  const std::size_t data = sos + 2 + (std::size_t(file[sos + 2]) << 8 | file[sos + 3]);
  // The scan's data ends at the next marker (not a stuffed 0xFF or a restart).
  std::size_t end = data;
  while (!(file[end] == 0xFF && file[end + 1] != 0 && (file[end + 1] & 0xF8) != 0xD0)) ++end;
  std::vector<std::uint8_t> headers;
  for (int i = 0; i < count; ++i)
    headers.insert(headers.end(), file.begin() + std::ptrdiff_t(sos), file.begin() + std::ptrdiff_t(data));
  file.insert(file.begin() + std::ptrdiff_t(end), headers.begin(), headers.end());
  return file;
}

// Counts the output passes: each writes the bottom row once.
class TPassCountingRaster : public TJPEGRaster {
 public:
  int Passes = 0;
  std::uint8_t* Row(int y) override {
    if (y == Height() - 1) ++Passes;
    return TJPEGRaster::Row(y);
  }
};
}  // namespace

TEST(JPEGDecoder, AFileWithMoreThan500ScansIsRefused) {
  const auto file = QuadrantJPEG(64, 64, {90, true, false});
  for (bool shown : {false, true}) {
    TJPEGDecodeSettings settings;
    settings.ProgressiveDisplay = shown;
    EXPECT_EQ(DecodeError(WithEmptyScans(file, 400), settings), "no error") << shown;
    EXPECT_EQ(DecodeError(WithEmptyScans(file, 600), settings), "JPEG error: more than 500 scans") << shown;
  }
}

TEST(JPEGDecoder, ProgressiveDisplayShowsAtMostSixteenScans) {
  const auto file = WithEmptyScans(QuadrantJPEG(64, 64, {90, true, false}), 100);
  TJPEGDecodeSettings settings;
  settings.ProgressiveDisplay = true;
  TPassCountingRaster shown;
  TJPEGDecoder decoder(file.data(), file.size(), settings);
  ASSERT_TRUE(decoder.Decode(shown));
  // Sixteen scans as they came, then the final pass.
  EXPECT_EQ(shown.Passes, 17);
  const TJPEGRaster whole = Decode(file);
  for (int y = 0; y < 64; ++y) ASSERT_EQ(0, std::memcmp(shown.Row(y), whole.Row(y), whole.Stride())) << y;
}
