// What the reader does with data it cannot read: the error of each failure,
// the warnings it reports and goes on after, and the state a failed load
// leaves behind.
#include <gtest/gtest.h>

#include "support/GifLoad.h"

using namespace giftest;

namespace {

// A small valid picture: 2 x 2, 4-colour global map, one frame.
Bytes Tiny() {
  GifBuilder gif;
  FrameOptions options;
  options.lzw.minCodeSize = 2;
  gif.Header(2, 2, 4).Image(2, 2, {0, 1, 2, 3}, options).Trailer();
  return gif.Data();
}

Bytes Cut(const Bytes& bytes, std::size_t length) { return Bytes(bytes.begin(), bytes.begin() + long(length)); }

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Header of Tiny() without its frames and trailer.
Bytes TinyHeader() { return GifBuilder().Header(2, 2, 4).Data(); }

}  // namespace

TEST(GIFFailures, TruncatedDataEndsThePictureEarly) {
  const Bytes tiny = Tiny();
  // Signature, screen descriptor, global map, image descriptor: wherever
  // the data stops inside a fixed-size part.
  for (std::size_t length : {0u, 5u, 6u, 12u, 14u, 24u, 30u, 34u}) {
    SCOPED_TRACE(length);
    EXPECT_EQ(LoadGif(Cut(tiny, length)).error, "Premature end of data");
  }
  // Inside a local colour map and inside a comment's sub-block.
  FrameOptions local;
  local.localColors = 16;
  GifBuilder withLocal;
  withLocal.Header(2, 2, 0).Image(2, 2, {0, 1, 2, 3}, local);
  EXPECT_EQ(LoadGif(Cut(withLocal.Data(), 13 + 10 + 20)).error, "Premature end of data");
  EXPECT_EQ(LoadGif(Concat(TinyHeader(), {0x21, 0xFE, 5, 'a', 'b'})).error, "Premature end of data");
}

TEST(GIFFailures, SignatureMayStandFourBytesLateAndInAnyCase) {
  const Bytes tiny = Tiny();
  EXPECT_EQ(LoadGif(Concat({1, 2, 3, 4}, tiny)).error, "");
  Bytes lower = tiny;
  lower[0] = 'g', lower[1] = 'i', lower[2] = 'f';
  EXPECT_EQ(LoadGif(lower).error, "");
  // The version bytes are not looked at.
  Bytes version = tiny;
  version[3] = 'x';
  EXPECT_EQ(LoadGif(version).error, "");

  for (std::size_t prefix : {1u, 2u, 3u, 5u, 8u}) {
    SCOPED_TRACE(prefix);
    EXPECT_EQ(LoadGif(Concat(Bytes(prefix, 'x'), tiny)).error, "Invalid GIF signature");
  }
  Bytes png = tiny;
  png[0] = 'P';
  EXPECT_EQ(LoadGif(png).error, "Invalid GIF signature");
}

TEST(GIFFailures, ExtensionsThatCannotBeRead) {
  EXPECT_EQ(LoadGif(Concat(TinyHeader(), {0x21, 0x77, 3, 1, 2, 3, 0})).error, "Unknown extension type");
  EXPECT_EQ(LoadGif(Concat(TinyHeader(), {0x21})).error, "Unknown extension type");
  // An application identifier block of 10 bytes that the data cuts short.
  EXPECT_EQ(LoadGif(Concat(TinyHeader(), {0x21, 0xFF, 10, 'A', 'B'})).error, "Unknown extension type");
  for (std::uint8_t size : {0, 1, 9}) {
    SCOPED_TRACE(int(size));
    EXPECT_EQ(
        LoadGif(Concat(TinyHeader(), {0x21, 0xFF, size, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 0}))
            .error,
        "Unsupported Application Extension block size");
  }
  // A loop count needs 2 bytes after the sub-block's kind byte, a buffer
  // size 4.
  Bytes loop = GifBuilder().Header(2, 2, 4).Application("NETSCAPE2.0", {{1, 5}}).Data();
  EXPECT_EQ(LoadGif(loop).error, "Invalid GIF data");
  loop = GifBuilder().Header(2, 2, 4).Application("NETSCAPE2.0", {{2, 5, 0, 0}}).Data();
  EXPECT_EQ(LoadGif(loop).error, "Invalid GIF data");
}

TEST(GIFFailures, ExtensionReadsCheckTheirOwnHeader) {
  TGIFImage image;
  TGIFSubImage frame(image);
  TGIFCommentExtension comment(frame);
  TMemoryStream wrongIntroducer(Bytes{0x2C, 0xFE, 0});
  try {
    comment.LoadFromStream(wrongIntroducer);
    FAIL();
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), "Invalid extension introducer");
  }
  TMemoryStream wrongLabel(Bytes{0x21, 0xF9, 0});
  try {
    comment.LoadFromStream(wrongLabel);
    FAIL();
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), "Internal error: Extension Instance does not match Extension Label");
  }
}

TEST(GIFFailures, AbsurdSizesAreRefusedBeforeAllocating) {
  // 65535 x 65535 pixels would need 4 GiB.
  GifBuilder huge;
  huge.Header(65535, 65535, 2).ImageData(65535, 65535, {2, 2, 0x4C, 0x01, 0}).Trailer();
  EXPECT_EQ(LoadGif(huge.Data()).error, "Invalid GIF data");
  // Many frames that each take the whole screen add up as well.
  GifBuilder many;
  many.Header(400, 300, 2);
  for (int i = 0; i < 30; ++i) many.ImageData(0, 0, {2, 2, 0x4C, 0x01, 0});
  const Loaded loaded = LoadGif(many.Trailer().Data(), 0, 1000000);
  EXPECT_EQ(loaded.error, "Invalid GIF data");
  EXPECT_EQ(loaded.image->Images().Count(), 8);
}

TEST(GIFFailures, FailedLoadRewindsAndKeepsTheCompleteFrames) {
  const Bytes twoFrames = Concat(Cut(Tiny(), Tiny().size() - 1), Concat({0x21, 0x77, 0}, {0x3B}));
  std::vector<std::pair<int, int>> progress;
  TGIFImage image;
  image.OnProgress = [&](TGraphic&, int stage, int percent, bool) { progress.push_back({stage, percent}); };
  TMemoryStream stream(Concat({'T', 'G', 'I', 'F'}, twoFrames));
  stream.SetPosition(4);
  try {
    image.LoadFromStream(stream);
    FAIL();
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), "Unknown extension type");
  }
  EXPECT_EQ(stream.Position(), 4);
  EXPECT_EQ(image.Images().Count(), 1);
  EXPECT_EQ(image.GetWidth(), 2);
  ASSERT_GE(progress.size(), 3u);
  EXPECT_EQ(progress.front(), std::make_pair(int(TGIFImage::ProgressStarting), 0));
  EXPECT_EQ(progress[1].first, TGIFImage::ProgressRunning);
  EXPECT_EQ(progress.back(), std::make_pair(int(TGIFImage::ProgressEnding), 0));
}

TEST(GIFFailures, RecoverableProblemsAreReportedWithSeverityOne) {
  struct Case {
    const char* what;
    Bytes data;
    std::vector<std::string> warnings;
  };
  const Bytes tiny = Tiny();
  const Bytes frames = Cut(tiny, tiny.size() - 1);
  Bytes zeroWidth = tiny;
  zeroWidth[13 + 12 + 5] = 0;  // frame width 0
  LzwOptions small;
  small.minCodeSize = 2;
  const Bytes codes = LzwEncode({0, 1, 2, 3}, small);
  const std::vector<Case> cases = {
      {"unknown block", Concat(frames, {0x99, 1, 2}), {"Unknown GIF block type", "Invalid Image trailer"}},
      {"stray byte between extensions",
       Concat(TinyHeader(), Concat({0x21, 0xFE, 0, 0x00}, Bytes(tiny.begin() + 25, tiny.end()))),
       {"Invalid extension introducer"}},
      {"zero frame width", zeroWidth, {"Image exceeds Logical Screen size"}},
      {"short graphic control", Concat(TinyHeader(), {0x21, 0xF9, 4, 1}), {"Premature end of data"}},
      {"sub-block beyond the data",
       Concat(Concat(TinyHeader(), {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0, 2, 200}), codes),
       {"Premature end of data"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Loaded loaded = LoadGif(c.data);
    EXPECT_EQ(loaded.error, "");
    EXPECT_EQ(loaded.WarningMessages(), c.warnings);
    for (const Report& report : loaded.warnings) EXPECT_EQ(report.severity, 1);
  }
  // The stray byte ended the first frame's extensions; the image after it
  // made a frame of its own. The data cut short still gave all pixels.
  EXPECT_EQ(LoadGif(cases[1].data).image->Images().Count(), 2);
  EXPECT_EQ(LoadGif(cases[4].data).Pixels(0), (std::vector<std::uint8_t>{0, 1, 2, 3}));
}

TEST(GIFFailures, WarningsNameTheItemThatFoundThem) {
  Bytes zeroWidth = Tiny();
  zeroWidth[13 + 12 + 5] = 0;
  const Loaded loaded = LoadGif(zeroWidth);
  ASSERT_EQ(loaded.warnings.size(), 1u);
  EXPECT_EQ(loaded.warnings[0].sender, &loaded.Frame(0));
  // The frame took the logical screen's size.
  EXPECT_EQ(loaded.Frame(0).Width(), 2);
  EXPECT_EQ(loaded.Frame(0).Height(), 2);

  // Without a hook the same data loads silently.
  TGIFImage image;
  TMemoryStream stream(zeroWidth);
  image.LoadFromStream(stream);
  EXPECT_EQ(image.Images().Count(), 1);
}

TEST(GIFFailures, ColourLookUps) {
  const Loaded loaded = LoadGif(Tiny());
  std::vector<std::string> warnings;
  loaded.image->OnWarning = [&](TGIFImage&, TGIFItem*, int severity, const std::string& message) {
    EXPECT_EQ(severity, 1);
    warnings.push_back(message);
  };
  const TGIFColorMap& map = loaded.image->Header().ColorMap();
  ASSERT_EQ(map.Count(), 4);
  // Entry i of the test maps is (i, 255 - i, i / 2): red in the low byte.
  EXPECT_EQ(map.Colors(3), RGBColor(3, 252, 1));
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(map.Colors(4), RGBColor(0, 255, 0));
  EXPECT_EQ(map.Colors(-1), RGBColor(0, 255, 0));
  EXPECT_EQ(warnings, std::vector<std::string>(2, "Invalid color index"));

  const TGIFColorMap& empty = loaded.Frame(0).ColorMap();
  try {
    empty.Colors(0);
    FAIL();
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), "Color table is empty");
  }
}
