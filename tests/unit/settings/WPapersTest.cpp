#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "TempFolder.h"
#include "gui/SafeFile.h"
#include "gui/Stream.h"
#include "settings/WPapers.h"

namespace {

TWallpaperEntry Entry(const std::wstring& name, const std::wstring& path, const std::string& position) {
  return {name, path, position};
}

TWallpaperList ListOf(int count) {
  TWallpaperList list;
  for (int i = 0; i < count; ++i)
    list.Append(Entry(L"pic" + std::to_wstring(i) + L".jpg", L"D:\\Pictures\\Set " + std::to_wstring(i), "Tile"));
  return list;
}

class WPapersFile : public ::testing::Test {
 protected:
  TTempFolder dir;
  std::wstring file = dir.WidePath("WPapers.ini");
};

TEST_F(WPapersFile, SavesTheDocumentedLayout) {
  TWallpaperList list;
  list.Append(Entry(L"sunset.jpg", L"D:\\Pictures", "Center"));
  list.Append(Entry(L"tiles.bmp", L"D:\\Pictures\\Patterns", "Tile"));
  SaveWallpaperList(file, list);
  EXPECT_EQ(dir.Read("WPapers.ini"),
            "[Wallpaper #1]\r\nFilename=sunset.jpg\r\nPath=D:\\Pictures\r\nPosition=Center\r\n\r\n"
            "[Wallpaper #2]\r\nFilename=tiles.bmp\r\nPath=D:\\Pictures\\Patterns\r\nPosition=Tile\r\n\r\n");
}

TEST_F(WPapersFile, LoadTakesSectionsInFileOrderAndSaveRenumbers) {
  dir.Write("WPapers.ini",
            "[Wallpaper #7]\r\nFilename=seven.jpg\r\nPath=C:\\A\r\nPosition=Stretch\r\n\r\n"
            "[Wallpaper #2]\r\nfilename=two.gif\r\nPATH=C:\\B\r\n\r\n"
            "[Other]\r\nPosition=ABCDEFGHIJKLMNOPQRST\r\n");
  TWallpaperList list;
  list.Append(Entry(L"stale.bmp", L"X:", "Tile"));
  LoadWallpaperList(file, list);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Entry(0).FileName, L"seven.jpg");
  EXPECT_EQ(list.Entry(0).Position, "Stretch");
  EXPECT_EQ(list.Entry(1).FileName, L"two.gif");
  EXPECT_EQ(list.Entry(1).Path, L"C:\\B");
  EXPECT_EQ(list.Entry(1).Position, "");  // no Position key
  EXPECT_EQ(list.Entry(2).FileName, L"");
  EXPECT_EQ(list.Entry(2).Position, "ABCDEFGHIJ");  // cut to ten characters

  SaveWallpaperList(file, list);
  const std::string saved = dir.Read("WPapers.ini");
  EXPECT_EQ(saved.find("[Wallpaper #1]\r\nFilename=seven.jpg"), 0u);
  EXPECT_NE(saved.find("[Wallpaper #2]\r\nFilename=two.gif\r\nPath=C:\\B\r\nPosition=\r\n"), std::string::npos);
  EXPECT_NE(saved.find("[Wallpaper #3]\r\nFilename=\r\nPath=\r\nPosition=ABCDEFGHIJ\r\n\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("#7"), std::string::npos);
}

TEST_F(WPapersFile, MissingOrSectionlessFileLeavesTheListAlone) {
  TWallpaperList list = ListOf(2);
  LoadWallpaperList(file, list);
  EXPECT_EQ(list.Count(), 2);
  dir.Write("WPapers.ini", "Filename=outside.jpg\r\n\r\n");
  LoadWallpaperList(file, list);
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(WPapersFile, ShorterListLeavesNoStaleSectionsAndEmptyListEmptyFile) {
  TWallpaperList list = ListOf(5);
  SaveWallpaperList(file, list);
  list.Remove(0);
  list.Remove(2);
  SaveWallpaperList(file, list);
  TWallpaperList reloaded;
  LoadWallpaperList(file, reloaded);
  ASSERT_EQ(reloaded.Count(), 3);
  EXPECT_EQ(reloaded.Entry(0).FileName, L"pic1.jpg");
  EXPECT_EQ(reloaded.Entry(1).FileName, L"pic2.jpg");
  EXPECT_EQ(reloaded.Entry(2).FileName, L"pic4.jpg");
  EXPECT_EQ(dir.Read("WPapers.ini").find("[Wallpaper #4]"), std::string::npos);

  SaveWallpaperList(file, TWallpaperList());
  EXPECT_TRUE(dir.Exists("WPapers.ini"));
  EXPECT_EQ(dir.Read("WPapers.ini"), "");
}

TEST_F(WPapersFile, TextIsStoredInTheSingleByteCodePage) {
  TWallpaperList list;
  list.Append(Entry(L"caf\u00E9.jpg", L"C:\\\u00C9t\u00E9", "Center"));
  SaveWallpaperList(file, list);
  EXPECT_NE(dir.Read("WPapers.ini").find("Filename=caf\xE9.jpg\r\nPath=C:\\\xC9t\xE9\r\n"), std::string::npos);
  TWallpaperList reloaded;
  LoadWallpaperList(file, reloaded);
  EXPECT_EQ(reloaded.Entry(0).FileName, L"caf\u00E9.jpg");
  EXPECT_EQ(reloaded.Entry(0).Path, L"C:\\\u00C9t\u00E9");
}

TEST_F(WPapersFile, AFileThatIsNoListLeavesTheListAloneAndIsKeptWithoutOverwritingACopy) {
  using TState = TWallpaperListRead::TState;
  const std::pair<std::string, TState> files[] = {
      {"", TState::Read},
      {std::string("\xFF\xFE \0\r\0\n\0", 8), TState::Read},  // an empty list saved as Unicode
      {"just a note", TState::NotAList},
      {std::string("[\0W\0]\0", 7), TState::NotAList},  // UTF-16 without its mark
  };
  for (const auto& [bytes, state] : files) {
    dir.Write("WPapers.ini", bytes);
    TWallpaperList list = ListOf(2);
    const TWallpaperListRead read = LoadWallpaperList(file, list);
    EXPECT_EQ(read.State, state) << bytes;
    EXPECT_EQ(list.Count(), 2) << bytes;
    EXPECT_EQ(read.KeepFile() ? read.Bytes : bytes, bytes);
  }
  EXPECT_EQ(KeepCopyBeside(file, "first"), file + L".bak");
  EXPECT_EQ(KeepCopyBeside(file, "second"), file + L".2.bak");
  EXPECT_EQ(dir.Read("WPapers.ini.bak"), "first");
}

TEST_F(WPapersFile, UnicodeNamesTheCodePageCannotHoldAreReported) {
  // Filename=<U+1F600>.j in UTF-16 LE: a surrogate pair, then a last odd byte.
  const std::string utf16 = std::string("\xFF\xFE[\0A\0]\0\n\0P\0a\0t\0h\0=\0D\0:\0\n\0", 26) +
                            std::string("F\0i\0l\0e\0n\0a\0m\0e\0=\0\x3D\xD8\x00\xDE.\0j\0!", 27);
  dir.Write("WPapers.ini", utf16);
  TWallpaperList list;
  const TWallpaperListRead read = LoadWallpaperList(file, list);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Entry(0).FileName, std::wstring(Utf8ToWide("\xF0\x9F\x98\x80.j\xEF\xBF\xBD")));
  EXPECT_EQ(read.LossyNames, (std::vector<std::wstring>{list.Entry(0).FullFileName()}));
  EXPECT_TRUE(read.KeepFile());
}

// A save that cannot complete must leave the previous list file exactly as
// it was, report the file by name and leave no temporary file behind.
class WPapersFailedSave : public WPapersFile {
 protected:
  void SetUp() override {
    SaveWallpaperList(file, ListOf(3));
    before = dir.Read("WPapers.ini");
  }
  void ExpectSaveFailsKeepingOldFile() {
    try {
      SaveWallpaperList(file, ListOf(1));
      ADD_FAILURE() << "the save reported success";
    } catch (const EStreamError& e) {
      EXPECT_NE(std::string(e.what()).find("WPapers.ini"), std::string::npos) << e.what();
    }
    std::filesystem::permissions(dir.Root(), std::filesystem::perms::owner_all);
    std::filesystem::permissions(dir.Path("WPapers.ini"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(dir.Read("WPapers.ini"), before);
    EXPECT_FALSE(dir.Exists("WPapers.ini.saving"));
  }
  std::string before;
};

TEST_F(WPapersFailedSave, ReadOnlyFile) {
  std::filesystem::permissions(dir.Path("WPapers.ini"), std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::group_read |
                                                            std::filesystem::perms::others_read);
  ExpectSaveFailsKeepingOldFile();
}

TEST_F(WPapersFailedSave, FolderWithoutWritePermission) {
  if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
  std::filesystem::permissions(dir.Root(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  ExpectSaveFailsKeepingOldFile();
}

TEST_F(WPapersFailedSave, TemporaryNameTakenByAFolder) {
  // Something of another's in the way of the temporary file stops the save
  // before the list file is touched, and is not removed by it.
  std::filesystem::create_directory(dir.Path("WPapers.ini.saving"));
  EXPECT_THROW(SaveWallpaperList(file, ListOf(1)), EStreamError);
  EXPECT_EQ(dir.Read("WPapers.ini"), before);
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path("WPapers.ini.saving")));
}

}  // namespace
