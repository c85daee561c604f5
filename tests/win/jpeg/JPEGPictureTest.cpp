// The JPEG picture inside the picture system: registration, loading by
// extension, progress reports, and the fast preview of large photos.
#include <gtest/gtest.h>

#include <filesystem>

#include "JPEGTestImages.h"
#include "gui/Picture.h"
#include "pictures/jpeg/JPEGImage.h"
#include "pictures/jpeg/JPEGPreview.h"
#include "pictures/jpeg/JPEGRegister.h"

namespace {

std::wstring WriteTemp(const std::wstring& name, const std::vector<std::uint8_t>& bytes) {
  const auto path = (std::filesystem::temp_directory_path() / name).wstring();
  TFileStream out(path, TFileMode::Create);
  out.WriteBuffer(bytes.data(), bytes.size());
  return path;
}

class JPEGPicture : public ::testing::Test {
 protected:
  void SetUp() override { RegisterJPEGImage(); }
  void TearDown() override {
    UnregisterJPEGImage();
    for (const auto& f : files_) std::filesystem::remove(std::filesystem::path(f));
  }
  std::wstring Temp(const std::wstring& name, const std::vector<std::uint8_t>& bytes) {
    files_.push_back(WriteTemp(name, bytes));
    return files_.back();
  }
  std::vector<std::wstring> files_;
};

}  // namespace

TEST_F(JPEGPicture, RegisteredForJpegAndJpgOnly) {
  const auto file = QuadrantJPEG(30, 20);
  TPicture picture;
  picture.LoadFromFile(Temp(L"dv jpeg test.JPG", file));
  ASSERT_NE(picture.GraphicAs<TJPEGImage>(), nullptr);
  EXPECT_EQ(picture.Width(), 30);
  picture.LoadFromFile(Temp(L"dv jpeg test.jpeg", file));
  EXPECT_NE(picture.GraphicAs<TJPEGImage>(), nullptr);
  EXPECT_THROW(picture.LoadFromFile(Temp(L"dv jpeg test.jpe", file)), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile(Temp(L"dv jpeg test.jfif", file)), EInvalidGraphic);
  int described = 0;
  for (const auto& f : TPicture::FileFormats())
    if (f.Description == L"JPEG Image File") ++described;
  EXPECT_EQ(described, 2);

  TMemoryStream bytes(file);
  picture.LoadFromClassData("TJPEGImage", bytes);
  EXPECT_EQ(picture.Height(), 20);

  UnregisterJPEGImage();
  EXPECT_THROW(picture.LoadFromFile(Temp(L"dv jpeg test2.jpg", file)), EInvalidGraphic);
}

TEST_F(JPEGPicture, BrokenFileFailsAtLoadWithTheLibraryCode) {
  std::vector<std::uint8_t> junk(64, 0x42);
  TPicture picture;
  try {
    picture.LoadFromFile(Temp(L"dv jpeg junk.jpg", junk));
    ADD_FAILURE();
  } catch (const EJPEG& e) {
    EXPECT_EQ(std::string(e.what()).rfind("JPEG error #", 0), 0u);
  }
  EXPECT_TRUE(picture.Empty());
}

TEST_F(JPEGPicture, ProgressReachesThePictureListeners) {
  TPicture picture;
  std::vector<std::pair<int, int>> reports;
  picture.OnProgress = [&](TGraphic&, int stage, int percent, bool) { reports.emplace_back(stage, percent); };
  picture.LoadFromFile(Temp(L"dv jpeg progress.jpg", QuadrantJPEG(64, 64)));
  picture.GraphicAs<TJPEGImage>()->DIBNeeded();
  ASSERT_GE(reports.size(), 2u);
  EXPECT_EQ(reports.front(), std::pair(0, 0));
  EXPECT_EQ(reports.back(), std::pair(2, 100));
}

TEST_F(JPEGPicture, PreviewDecodesLargePhotosAtReducedScale) {
  const auto path = Temp(L"dv jpeg big.jpg", QuadrantJPEG(1600, 1200));
  auto preview = LoadJPEGPreview(path, 200, 150);
  EXPECT_EQ(preview->Scale(), TJPEGScale::jsEighth);
  EXPECT_EQ(preview->GetWidth(), 200);
  EXPECT_FALSE(preview->Decoded());
  TBitmap box(200, 150);
  box.Canvas().StretchDraw(TRect{0, 0, 200, 150}, *preview);
  EXPECT_EQ(preview->Bitmap().GetWidth(), 200);
  EXPECT_EQ(preview->Bitmap().GetHeight(), 150);
  const TColor topLeft = box.Canvas().Pixel(20, 20);
  EXPECT_TRUE(Near(TJPEGColor{RedOf(topLeft), GreenOf(topLeft), BlueOf(topLeft)}, TJPEGColor{255, 0, 0}, 40));

  // A picture loaded through the picture system can be fitted afterwards.
  TPicture picture;
  picture.LoadFromFile(path);
  FitJPEGToBox(*picture.GraphicAs<TJPEGImage>(), 800, 600);
  EXPECT_EQ(picture.GraphicAs<TJPEGImage>()->Scale(), TJPEGScale::jsHalf);
  EXPECT_EQ(picture.Width(), 800);
}
