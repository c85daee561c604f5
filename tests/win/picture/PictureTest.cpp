// The picture system's registries and file loading.
#include <gtest/gtest.h>

#include <filesystem>

#include "gui/Bitmap.h"
#include "gui/Picture.h"

namespace {

std::wstring TempFile(const std::wstring& name) { return (std::filesystem::temp_directory_path() / name).wstring(); }

void WriteBitmapFile(const std::wstring& path) {
  TBitmap bitmap(3, 2);
  bitmap.Canvas().SetPixel(2, 1, RGBColor(0, 255, 0));
  TFileStream stream(path, TFileMode::Create);
  bitmap.SaveToStream(stream);
}

// A stand-in graphic kind that records what it was given.
class TRecordingGraphic : public TGraphic {
 public:
  void LoadFromStream(TStream& stream) override {
    bytes.resize(std::size_t(stream.Size() - stream.Position()));
    stream.ReadBuffer(bytes.data(), bytes.size());
    Changed();
  }
  void SaveToStream(TStream& stream) override { stream.WriteBuffer(bytes.data(), bytes.size()); }
  int GetWidth() const override { return int(bytes.size()); }
  int GetHeight() const override { return 1; }
  bool GetEmpty() const override { return bytes.empty(); }
  void Draw(TCanvas&, const TRect&) override {}
  std::vector<std::uint8_t> bytes;
};

}  // namespace

TEST(Picture, LoadsBitmapsByExtensionInAnyCase) {
  const auto path = TempFile(L"dv picture test.BMP");
  WriteBitmapFile(path);
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TPicture&) { ++changes; };
  picture.LoadFromFile(path);
  ASSERT_NE(picture.GraphicAs<TBitmap>(), nullptr);
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(picture.Height(), 2);
  EXPECT_EQ(picture.GraphicAs<TBitmap>()->Canvas().Pixel(2, 1), RGBColor(0, 255, 0));
  EXPECT_GE(changes, 1);
  std::filesystem::remove(std::filesystem::path(path));
}

TEST(Picture, UnknownExtensionIsRefusedAndThePictureKept) {
  const auto path = TempFile(L"dv picture test.bmp");
  WriteBitmapFile(path);
  TPicture picture;
  picture.LoadFromFile(path);
  try {
    picture.LoadFromFile(L"C:\\some.folder\\photo.XyZ");
    FAIL() << "no error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Unknown picture file extension (.xyz)");
  }
  EXPECT_THROW(picture.LoadFromFile(L"C:\\some.folder\\noextension"), EInvalidGraphic);
  EXPECT_EQ(picture.Width(), 3);
  std::filesystem::remove(std::filesystem::path(path));
}

TEST(Picture, RegisteredFormatsAndClassesBuildTheirGraphics) {
  TPicture::RegisterFileFormat(L".REC", L"Recordings", [] { return std::make_unique<TRecordingGraphic>(); });
  EXPECT_NE(TPicture::FactoryForExtension(L"rec"), nullptr);
  bool listed = false;
  bool bitmaps = false;
  for (const auto& f : TPicture::FileFormats()) {
    listed |= f.Extension == L"rec" && f.Description == L"Recordings";
    bitmaps |= f.Extension == L"bmp";
  }
  EXPECT_TRUE(listed);
  EXPECT_TRUE(bitmaps);
  TPicture::UnregisterFileFormat(L"rec");
  EXPECT_EQ(TPicture::FactoryForExtension(L"rec"), nullptr);

  TPicture::RegisterClassName("TRecordingGraphic", [] { return std::make_unique<TRecordingGraphic>(); });
  const std::uint8_t raw[] = {1, 2, 3, 4};
  TBufferStream data(raw, sizeof(raw));
  data.SetPosition(1);
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TPicture&) { ++changes; };
  picture.LoadFromClassData("TRecordingGraphic", data);
  ASSERT_NE(picture.GraphicAs<TRecordingGraphic>(), nullptr);
  EXPECT_EQ(picture.GraphicAs<TRecordingGraphic>()->bytes, (std::vector<std::uint8_t>{2, 3, 4}));
  // Changes of the graphic reach the picture's listeners.
  const int before = changes;
  picture.Graphic()->Changed();
  EXPECT_EQ(changes, before + 1);
  TPicture::UnregisterClassName("TRecordingGraphic");
  EXPECT_THROW(TPicture::CreateGraphic("TRecordingGraphic"), EInvalidGraphic);
  EXPECT_NE(TPicture::CreateGraphic("TBitmap"), nullptr);
}
