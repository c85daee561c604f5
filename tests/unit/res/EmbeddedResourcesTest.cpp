// The resources as the program carries them: this test program links the
// same compiled resource script as Dorvane.exe and reads them back through
// the platform's loaders.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "GifWalk.h"
#include "maker.h"
#include "resource.h"

namespace {

HINSTANCE Self() { return GetModuleHandleW(nullptr); }

std::vector<std::uint8_t> ResourceBytes(int id, LPCWSTR type) {
  HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(id), type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(Self(), found);  // module-owned, never freed
  const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
  return std::vector<std::uint8_t>(data, data + SizeofResource(Self(), found));
}

struct TEmbeddedGif {
  int Id;
  int Width, Height, Frames, Transparent;
};

void PrintTo(const TEmbeddedGif& g, std::ostream* os) { *os << "GIF resource " << g.Id; }

class EmbeddedGif : public testing::TestWithParam<TEmbeddedGif> {};

TEST_P(EmbeddedGif, IsTheCompletePicture) {
  const TEmbeddedGif& want = GetParam();
  const auto bytes = ResourceBytes(want.Id, MAKEINTRESOURCEW(10));  // RT_RCDATA
  ASSERT_FALSE(bytes.empty());
  const TGifFacts gif = WalkGif(bytes);
  EXPECT_EQ(gif.signature, "GIF89a");
  EXPECT_EQ(gif.width, want.Width);
  EXPECT_EQ(gif.height, want.Height);
  ASSERT_EQ(int(gif.frames.size()), want.Frames);
  EXPECT_EQ(gif.frames[0].transparentIndex, want.Transparent);
  EXPECT_EQ(gif.frames.back().pixels.size(), std::size_t(want.Width) * want.Height);
}

INSTANTIATE_TEST_SUITE_P(
    Res, EmbeddedGif,
    testing::Values(TEmbeddedGif{IDR_GIF_WALLPAPER, 41, 41, 1, 188}, TEmbeddedGif{IDR_GIF_SETTINGS, 41, 41, 1, 235},
                    TEmbeddedGif{IDR_GIF_ENGINE, 41, 41, 1, 235}, TEmbeddedGif{IDR_GIF_LOGO, 60, 25, 29, 31},
                    TEmbeddedGif{IDR_GIF_ABOUT_LOGO, 270, 50, 1, 235}, TEmbeddedGif{IDR_GIF_ABOUT_ICON, 73, 73, 1, 255},
                    TEmbeddedGif{IDR_GIF_ABOUT_SMALL, 32, 32, 1, 0}));

struct TGdiDelete {
  void operator()(HBITMAP h) const { DeleteObject(h); }
};
using TBitmapOwner = std::unique_ptr<std::remove_pointer_t<HBITMAP>, TGdiDelete>;

TEST(EmbeddedBitmap, LoadsWithItsSizeAnd24BitColour) {
  const struct {
    int Id, Width, Height;
  } glyphs[] = {{IDB_BULLET, 9, 11}, {IDB_ADD, 18, 18},        {IDB_REMOVE, 18, 18}, {IDB_CLEAR, 18, 18},
                {IDB_ABOUT, 18, 18}, {IDB_CLOSE, 18, 18},      {IDB_OK, 18, 18},     {IDB_START, 36, 18},
                {IDB_STOP, 36, 18},  {IDB_TRACK_THUMB, 36, 18}};
  for (const auto& g : glyphs) {
    SCOPED_TRACE("bitmap " + std::to_string(g.Id));
    TBitmapOwner bmp(
        static_cast<HBITMAP>(LoadImageW(Self(), MAKEINTRESOURCEW(g.Id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(bmp);
    BITMAP info{};
    ASSERT_EQ(GetObjectW(bmp.get(), sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmWidth, g.Width);
    EXPECT_EQ(info.bmHeight, g.Height);
    EXPECT_EQ(info.bmBitsPixel, 24);
  }
}

TEST(EmbeddedIcon, GroupHoldsThreeSizesIn256Colours) {
  const auto group = ResourceBytes(MAINICON, MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_GE(group.size(), 6u);
  const int count = group[4] | (group[5] << 8);
  ASSERT_EQ(count, 3);
  ASSERT_EQ(group.size(), 6u + 14u * count);
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* e = group.data() + 6 + 14 * i;
    const int size = e[0], bits = e[6] | (e[7] << 8), id = e[12] | (e[13] << 8);
    SCOPED_TRACE(std::to_string(size) + " pixels");
    EXPECT_EQ(size, 16 * (i + 1));
    EXPECT_EQ(bits, 8);
    EXPECT_FALSE(ResourceBytes(id, MAKEINTRESOURCEW(3)).empty());  // RT_ICON
    HICON icon = static_cast<HICON>(LoadImageW(Self(), MAKEINTRESOURCEW(MAINICON), IMAGE_ICON, size, size, 0));
    EXPECT_TRUE(icon);
    if (icon) DestroyIcon(icon);
  }
}

TEST(EmbeddedManifest, AsksForVersion6OfTheCommonControls) {
  const auto bytes = ResourceBytes(1, MAKEINTRESOURCEW(24));  // RT_MANIFEST
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(text.find("language=\"*\""), std::string::npos);
  EXPECT_NE(text.find("version=\"1.0.0.0\""), std::string::npos);
}

class VersionBlock : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    Block.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, Block.data()));
  }
  std::wstring Value(const std::wstring& key) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring at = L"\\StringFileInfo\\040904E4\\" + key;
    if (!VerQueryValueW(Block.data(), at.c_str(), &value, &length) || length == 0) return L"<missing>";
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);  // length counts the NUL
  }
  std::vector<std::uint8_t> Block;
};

TEST_F(VersionBlock, FixedPartNamesBuild762OfVersion1) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(Block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 762u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 762u);
  EXPECT_EQ(fixed->dwFileOS, 4u);
  EXPECT_EQ(fixed->dwFileType, 1u);
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);
}

TEST_F(VersionBlock, OneUsEnglishTranslationInCodePage1252) {
  WORD* pairs = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(Block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&pairs), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(pairs[0], 0x0409);
  EXPECT_EQ(pairs[1], 0x04E4);
}

TEST_F(VersionBlock, StringTableNamesTheProductAndItsMaker) {
  EXPECT_EQ(Value(L"CompanyName"), kMakerName);
  EXPECT_EQ(Value(L"FileDescription"), L"Ombrelle commander");
  EXPECT_EQ(Value(L"FileVersion"), L"1.0.0.762");
  EXPECT_EQ(Value(L"InternalName"), L"Ombrelle");
  EXPECT_EQ(Value(L"LegalCopyright"), kLegalNotice);
  EXPECT_EQ(Value(L"LegalTrademarks"), kTrademarks);
  EXPECT_EQ(Value(L"OriginalFilename"), L"Dorvane.exe");
  EXPECT_EQ(Value(L"ProductName"), L"Ombrelle");
  EXPECT_EQ(Value(L"ProductVersion"), L"1.00");
  EXPECT_EQ(Value(L"Comments"), L"Nov. 3, 2005");
  EXPECT_EQ(Value(L"Homepage"), kMakerSite);
}

}  // namespace
