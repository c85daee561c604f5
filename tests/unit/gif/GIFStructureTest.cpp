// How a GIF file becomes frames, colour maps and extensions: graphic
// control and loop extensions, the extension registries, frames made of
// extensions only, and the animated picture of the main window.
#include <gtest/gtest.h>

#include "pictures/gif/GIFExtensionRegistry.h"
#include "support/GifLoad.h"

using namespace giftest;

namespace {

FrameOptions Small() {
  FrameOptions options;
  options.lzw.minCodeSize = 2;
  return options;
}

template <class T>
T* ExtensionOf(const TGIFSubImage& frame, int index) {
  return dynamic_cast<T*>(&frame.Extensions()[index]);
}

}  // namespace

TEST(GIFStructure, AnimatedLogoLoadsFrameByFrame) {
  // Like the main window's logo: 60 x 25, 29 frames, a 32-colour global map
  // and local maps from frame 2 on, endless loop, delay 4, disposal 2,
  // transparent index 31, minimum code size 5.
  GifBuilder gif;
  gif.Header(60, 25, 32).Loop(0);
  std::vector<std::vector<std::uint8_t>> pictures;
  for (int i = 0; i < 29; ++i) {
    pictures.push_back(NoisyPixels(60, 25, 32, unsigned(i)));
    FrameOptions options;
    options.lzw.minCodeSize = 5;
    options.localColors = i == 0 ? 0 : 32;
    gif.GraphicControl(2, 4, 31).Image(60, 25, pictures.back(), options);
  }
  const Loaded loaded = LoadGif(gif.Trailer().Data());
  ASSERT_EQ(loaded.error, "");
  EXPECT_TRUE(loaded.warnings.empty());
  ASSERT_EQ(loaded.image->Images().Count(), 29);
  EXPECT_EQ(loaded.image->GetWidth(), 60);
  EXPECT_EQ(loaded.image->GetHeight(), 25);
  EXPECT_EQ(loaded.image->Version(), "89a");

  auto* loop = ExtensionOf<TGIFAppExtNSLoop>(loaded.Frame(0), 0);
  ASSERT_NE(loop, nullptr);
  EXPECT_EQ(loop->Loops(), 0);
  for (int i = 0; i < 29; ++i) {
    SCOPED_TRACE(i);
    const TGIFSubImage& frame = loaded.Frame(i);
    const TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Delay(), 4);
    EXPECT_EQ(control->Disposal(), 2);
    EXPECT_EQ(control->TransparentColorIndex(), 31);
    EXPECT_TRUE(frame.Transparent());
    EXPECT_EQ(frame.ColorMap().Count(), i == 0 ? 0 : 32);
    EXPECT_EQ(&frame.ActiveColorMap(),
              i == 0 ? static_cast<const TGIFColorMap*>(&loaded.image->Header().ColorMap()) : &frame.ColorMap());
    EXPECT_EQ(loaded.Pixels(i), pictures[std::size_t(i)]);
  }
}

TEST(GIFStructure, FrameDescriptorAndColourMaps) {
  FrameOptions options = Small();
  options.left = 3;
  options.top = 7;
  options.localColors = 2;
  GifBuilder gif;
  gif.Header(20, 30, 256).Image(2, 1, {1, 0}, options).Trailer();
  const Loaded loaded = LoadGif(gif.Data());
  ASSERT_EQ(loaded.error, "");
  const TGIFSubImage& frame = loaded.Frame(0);
  EXPECT_EQ(frame.Left(), 3);
  EXPECT_EQ(frame.Top(), 7);
  EXPECT_EQ(frame.Width(), 2);
  EXPECT_EQ(frame.Height(), 1);
  EXPECT_FALSE(frame.Interlaced());
  EXPECT_FALSE(frame.Empty());
  // Size code 0 gives 2 entries, 7 gives 256.
  EXPECT_EQ(frame.ColorMap().Count(), 2);
  EXPECT_EQ(loaded.image->Header().ColorMap().Count(), 256);
  EXPECT_EQ(loaded.image->Version(), "87a");

  // Without any map the frame's active map is its own empty one.
  GifBuilder bare;
  bare.Header(2, 1, 0).Image(2, 1, {1, 0}, Small()).Trailer();
  const Loaded noMaps = LoadGif(bare.Data());
  ASSERT_EQ(noMaps.error, "");
  EXPECT_EQ(&noMaps.Frame(0).ActiveColorMap(), &noMaps.Frame(0).ColorMap());
}

TEST(GIFStructure, ExtensionsAfterTheLastImageMakeAnEmptyFrame) {
  GifBuilder gif;
  gif.Header(2, 1, 4).Image(2, 1, {1, 2}, Small()).Comment({"made by", std::string("cut\0here", 8)}).Trailer();
  const Loaded loaded = LoadGif(gif.Data());
  ASSERT_EQ(loaded.error, "");
  EXPECT_TRUE(loaded.warnings.empty());
  ASSERT_EQ(loaded.image->Images().Count(), 2);
  const TGIFSubImage& last = loaded.Frame(1);
  EXPECT_TRUE(last.Empty());
  auto* comment = ExtensionOf<TGIFCommentExtension>(last, 0);
  ASSERT_NE(comment, nullptr);
  // An embedded 0 byte ends a line.
  EXPECT_EQ(comment->Lines(), (std::vector<std::string>{"made by", "cut"}));
}

TEST(GIFStructure, DataMayEndWithoutTrailer) {
  GifBuilder gif;
  gif.Header(2, 1, 4).Image(2, 1, {1, 2}, Small());
  const Loaded loaded = LoadGif(gif.Data());
  EXPECT_EQ(loaded.error, "");
  EXPECT_TRUE(loaded.warnings.empty());
  EXPECT_EQ(loaded.image->Images().Count(), 1);
}

TEST(GIFStructure, FirstGraphicControlExtensionCounts) {
  // The first has no transparency and index 9; the second is transparent
  // with index 2. The frame is transparent, but its extension (and so the
  // fill of pixels the data does not reach) is the first one's.
  GifBuilder gif;
  gif.Header(3, 1, 16)
      .Raw({0x21, 0xF9, 4, 0x08, 7, 0, 9, 0})
      .GraphicControl(1, 50, 2)
      .ImageData(3, 1, {2, 2, 0x4C, 0x01, 0})
      .Trailer();
  const Loaded loaded = LoadGif(gif.Data());
  ASSERT_EQ(loaded.error, "");
  const TGIFSubImage& frame = loaded.Frame(0);
  ASSERT_EQ(frame.Extensions().Count(), 2);
  EXPECT_EQ(frame.GraphicControlExtension(), &frame.Extensions()[0]);
  EXPECT_EQ(frame.GraphicControlExtension()->Delay(), 7);
  EXPECT_EQ(frame.GraphicControlExtension()->Disposal(), 2);
  EXPECT_FALSE(frame.GraphicControlExtension()->Transparent());
  EXPECT_TRUE(frame.Transparent());
  EXPECT_EQ(loaded.Pixels(0), (std::vector<std::uint8_t>{1, 9, 9}));
}

TEST(GIFStructure, ApplicationExtensions) {
  auto first = [](const Bytes& data) {
    Loaded loaded = LoadGif(data);
    EXPECT_EQ(loaded.error, "");
    return loaded;
  };
  // Loop count, then a buffer-size sub-block, both identifiers.
  const Loaded netscape =
      first(GifBuilder().Header(1, 1, 2).Application("NETSCAPE2.0", {{1, 3, 0}, {2, 0x10, 0x20, 0, 0, 99}}).Data());
  auto* loop = ExtensionOf<TGIFAppExtNSLoop>(netscape.Frame(0), 0);
  ASSERT_NE(loop, nullptr);
  EXPECT_EQ(loop->Loops(), 3);
  EXPECT_EQ(loop->BufferSize(), 0x2010u);
  const Loaded animexts = first(GifBuilder().Header(1, 1, 2).Loop(7, "ANIMEXTS1.0").Data());
  ASSERT_NE(ExtensionOf<TGIFAppExtNSLoop>(animexts.Frame(0), 0), nullptr);
  EXPECT_EQ(ExtensionOf<TGIFAppExtNSLoop>(animexts.Frame(0), 0)->Loops(), 7);

  // Identifiers compare all 11 bytes; others keep their data as raw blocks.
  const Loaded other = first(GifBuilder().Header(1, 1, 2).Application("NETSCAPE2.1", {{1, 3, 0}, {4, 5}}).Data());
  auto* raw = ExtensionOf<TGIFUnknownAppExtension>(other.Frame(0), 0);
  ASSERT_NE(raw, nullptr);
  ASSERT_EQ(raw->Blocks().size(), 2u);
  EXPECT_EQ(raw->Blocks()[1].Data, (Bytes{4, 5}));

  // A 10-byte identifier block: the data starts right after it.
  const Loaded ten = first(GifBuilder()
                               .Header(1, 1, 2)
                               .Raw({0x21, 0xFF, 10, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', '1', '2', 2, 8, 9, 0})
                               .Data());
  raw = ExtensionOf<TGIFUnknownAppExtension>(ten.Frame(0), 0);
  ASSERT_NE(raw, nullptr);
  ASSERT_EQ(raw->Blocks().size(), 1u);
  EXPECT_EQ(raw->Blocks()[0].Data, (Bytes{8, 9}));

  // A longer identifier block: the bytes past the identifier are skipped.
  const Loaded twelve =
      first(GifBuilder()
                .Header(1, 1, 2)
                .Raw({0x21, 0xFF, 13, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 'x', 'y', 1, 6, 0})
                .Data());
  raw = ExtensionOf<TGIFUnknownAppExtension>(twelve.Frame(0), 0);
  ASSERT_NE(raw, nullptr);
  EXPECT_EQ(raw->Identifier(), GIFAppIdentifier("NETSCAPE2.0"));
  ASSERT_EQ(raw->Blocks().size(), 1u);
  EXPECT_EQ(raw->Blocks()[0].Data, (Bytes{6}));
}

namespace {

// Kinds registered by the tests below.
class TTaggedComment : public TGIFCommentExtension {
 public:
  using TGIFCommentExtension::TGIFCommentExtension;
  static const TGIFExtensionClass& Class() {
    static const TGIFExtensionClassOf<TTaggedComment> instance;
    return instance;
  }
};

class TTaggedLoop : public TGIFAppExtNSLoop {
 public:
  using TGIFAppExtNSLoop::TGIFAppExtNSLoop;
  static const TGIFExtensionClass& Class() {
    static const TGIFExtensionClassOf<TTaggedLoop> instance;
    return instance;
  }
};

}  // namespace

TEST(GIFStructure, LaterRegistrationsWin) {
  const Bytes data = GifBuilder().Header(1, 1, 2).Comment({"x"}).Loop(2).Data();
  auto kinds = [&data]() {
    const Loaded loaded = LoadGif(data);
    EXPECT_EQ(loaded.error, "");
    return std::make_pair(ExtensionOf<TTaggedComment>(loaded.Frame(0), 0) != nullptr,
                          ExtensionOf<TTaggedLoop>(loaded.Frame(0), 1) != nullptr);
  };
  EXPECT_EQ(kinds(), std::make_pair(false, false));

  TExtensionList::Instance().Add(TGIFCommentExtension::Label, TTaggedComment::Class());
  TAppExtensionList::Instance().Add(GIFAppIdentifier("NETSCAPE2.0"), TTaggedLoop::Class());
  EXPECT_EQ(kinds(), std::make_pair(true, true));

  // A kind registered for a label it does not read is caught when loading.
  TExtensionList::Instance().Add(0x77, TGIFCommentExtension::Class());
  const Loaded mismatch = LoadGif(GifBuilder().Header(1, 1, 2).Raw({0x21, 0x77, 0}).Data());
  EXPECT_EQ(mismatch.error, "Internal error: Extension Instance does not match Extension Label");

  TExtensionList::Instance().Remove(TGIFCommentExtension::Class());
  TExtensionList::Instance().Remove(TTaggedComment::Class());
  TAppExtensionList::Instance().Remove(TTaggedLoop::Class());
  EXPECT_EQ(kinds(), std::make_pair(false, false));
  EXPECT_EQ(LoadGif(GifBuilder().Header(1, 1, 2).Raw({0x21, 0x77, 0}).Data()).error, "Unknown extension type");
}

TEST(GIFStructure, LoadReplacesThePictureAndSavesItsData) {
  GifBuilder gif;
  gif.Header(2, 1, 4).GraphicControl(0, 0, 1).Image(2, 1, {1, 2}, Small()).Trailer();
  const Bytes second = gif.Data();
  GifBuilder other;
  other.Header(5, 5, 2)
      .Image(5, 5, std::vector<std::uint8_t>(25, 1), Small())
      .Image(5, 5, std::vector<std::uint8_t>(25, 0), Small())
      .Trailer();

  TGIFImage image;
  TMemoryStream first(other.Data());
  image.LoadFromStream(first);
  ASSERT_EQ(image.Images().Count(), 2);

  // As in a window layout: a class name, then the GIF bytes, then more.
  Bytes layout{'T', 'G', 'I', 'F', 'I', 'm', 'a', 'g', 'e'};
  layout.insert(layout.end(), second.begin(), second.end());
  layout.insert(layout.end(), {'n', 'e', 'x', 't'});
  TMemoryStream stream(layout);
  stream.SetPosition(9);
  image.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), std::int64_t(9 + second.size()));
  ASSERT_EQ(image.Images().Count(), 1);
  EXPECT_EQ(image.GetWidth(), 2);
  EXPECT_FALSE(image.GetEmpty());

  TMemoryStream saved;
  image.SaveToStream(saved);
  EXPECT_EQ(saved.Bytes(), second);

  image.Clear();
  EXPECT_TRUE(image.GetEmpty());
  EXPECT_EQ(image.GetWidth(), 0);
  EXPECT_EQ(image.Header().ColorMap().Count(), 0);
}
