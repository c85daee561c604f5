// The list file on Windows: text in the ANSI code page, and a save that
// cannot complete leaves the previous file as it was.
#include <gtest/gtest.h>

#include "WineTestKit.h"
#include "gui/AnsiText.h"
#include "gui/Stream.h"
#include "settings/WPapers.h"

namespace {

TWallpaperList ListOf(int count) {
  TWallpaperList list;
  for (int i = 0; i < count; ++i) list.Append({L"pic" + std::to_wstring(i) + L".jpg", L"C:\\Pictures", "Center"});
  return list;
}

TEST(AnsiText, TellsWhetherANameFitsTheCodePage) {
  ASSERT_NE(GetACP(), static_cast<UINT>(CP_UTF8));
  EXPECT_TRUE(IsAnsiRepresentable(L"C:\\Pictures\\sunset.jpg"));
  bool representable = true;
  EXPECT_EQ(WideToAnsi(L"\u4E2D\u6587.jpg", &representable), "??.jpg");
  EXPECT_FALSE(representable);
  // No best-fit substitute: a letter the code page lacks is not quietly
  // replaced by a look-alike that names another file.
  EXPECT_FALSE(IsAnsiRepresentable(L"\u0100dam.jpg"));
  if (GetACP() == 1252) {
    EXPECT_EQ(WideToAnsi(L"caf\u00E9"), "caf\xE9");
    EXPECT_EQ(AnsiToWide("caf\xE9"), L"caf\u00E9");
    EXPECT_TRUE(IsAnsiRepresentable(L"caf\u00E9 \u20AC"));
  }
}

TEST(AnsiText, ShortNameOfAnExistingLongName) {
  TWinTempFolder dir;
  const std::wstring longName = dir.Path() + L"A rather long picture name \u4E2D.jpeg";
  CloseHandle(CreateFileW(longName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const std::wstring shortName = ShortPathName(longName);
  ASSERT_FALSE(shortName.empty());
  EXPECT_TRUE(IsAnsiRepresentable(shortName)) << "the short form is the way to reach the file in ANSI";
  EXPECT_TRUE(FileExists(shortName));
  const std::wstring leaf = shortName.substr(shortName.find_last_of(L'\\') + 1);
  EXPECT_LE(leaf.size(), 12u);
  EXPECT_EQ(ShortPathName(dir.Path() + L"no such file.jpg"), L"");
}

TEST(WPapersOnWindows, RoundTripInTheCodePage) {
  TWinTempFolder dir;
  const std::wstring file = dir.Path() + L"WPapers.ini";
  TWallpaperList list;
  list.Append({L"caf\u00E9.jpg", L"C:\\\u00C9t\u00E9", "Stretch"});
  SaveWallpaperList(file, list);
  const std::string bytes = ReadBytes(file);
  EXPECT_EQ(bytes, "[Wallpaper #1]\r\nFilename=" + WideToAnsi(L"caf\u00E9.jpg") +
                       "\r\nPath=" + WideToAnsi(L"C:\\\u00C9t\u00E9") + "\r\nPosition=Stretch\r\n\r\n");
  TWallpaperList reloaded;
  LoadWallpaperList(file, reloaded);
  ASSERT_EQ(reloaded.Count(), 1);
  EXPECT_EQ(reloaded.Entry(0).FileName, L"caf\u00E9.jpg");
  EXPECT_EQ(reloaded.Entry(0).Path, L"C:\\\u00C9t\u00E9");
}

class WPapersFailedSave : public ::testing::Test {
 protected:
  void SetUp() override {
    SaveWallpaperList(file, ListOf(3));
    before = ReadBytes(file);
  }
  void ExpectFailureKeepsOldFile() {
    try {
      SaveWallpaperList(file, ListOf(1));
      ADD_FAILURE() << "the save reported success";
    } catch (const EStreamError& e) {
      EXPECT_NE(std::string(e.what()).find("WPapers.ini"), std::string::npos) << e.what();
    }
  }
  void ExpectOldFileIntact() {
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_FALSE(FileExists(file + L".saving"));
  }
  TWinTempFolder dir;
  std::wstring file = dir.Path() + L"WPapers.ini";
  std::string before;
};

TEST_F(WPapersFailedSave, ReadOnlyFileFailsOnceAndStaysIntact) {
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
  ExpectFailureKeepsOldFile();
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  ExpectOldFileIntact();
}

TEST_F(WPapersFailedSave, FileHeldOpenByAnotherReader) {
  // The engine reading the list without sharing it.
  HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ExpectFailureKeepsOldFile();
  CloseHandle(held);
  ExpectOldFileIntact();
}

TEST_F(WPapersFailedSave, MissingFolder) {
  const std::wstring elsewhere = dir.Path() + L"gone\\WPapers.ini";
  EXPECT_THROW(SaveWallpaperList(elsewhere, ListOf(1)), EStreamError);
  EXPECT_FALSE(FileExists(elsewhere));
  ExpectOldFileIntact();
}

}  // namespace
