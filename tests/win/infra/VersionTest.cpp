#include <gtest/gtest.h>

#include "WineTestKit.h"
#include "about/VerInfo.h"
#include "engine/CPApplet.h"
#include "gui/AnsiText.h"
#include "gui/ProgramPath.h"

namespace {

TEST(VersionInfo, ReadsTheProgramsOwnResource) {
  const TVersionInfo info;
  EXPECT_EQ(info.GetVersionString(9), "1.00");
  EXPECT_EQ(info.GetVersionString(3), "1.0.0.762");
  EXPECT_EQ(info.GetVersionString(8), "Ombrelle");
  EXPECT_EQ(info.GetVersionString(2), "Ombrelle commander");
  EXPECT_EQ(info.GetVersionString(7), "Dorvane.exe");
  EXPECT_EQ(info.GetVersionString(10), "Nov. 3, 2005");
  EXPECT_EQ(info.GetVersionNumber(0), 1u);
  EXPECT_EQ(info.GetVersionNumber(1), 0u);
  EXPECT_EQ(info.GetVersionNumber(2), 0u);
  EXPECT_EQ(info.GetVersionNumber(3), 762u);
  EXPECT_EQ(info.LangCodePage(), "040904E4");
  EXPECT_EQ(info.FileName(), WideToAnsi(ProgramFileName()));
}

TEST(VersionInfo, OutOfRangeIndexesGiveNothing) {
  const TVersionInfo info;
  EXPECT_EQ(info.GetVersionString(11), "");
  EXPECT_EQ(info.GetVersionString(-1), "");
  EXPECT_EQ(info.GetVersionNumber(4), 0u);
  EXPECT_EQ(info.GetVersionNumber(-1), 0u);
}

TEST(VersionInfo, LanguageNameIsTheSystemsNameOfTheTranslation) {
  char expected[256] = {};
  VerLanguageNameA(0x0409, expected, sizeof(expected));
  ASSERT_NE(expected[0], '\0');
  std::string name;
  {
    const TVersionInfo info;
    name = info.GetVersionString(0);
    EXPECT_EQ(name, info.LanguageName());
  }
  EXPECT_EQ(name, expected);
}

TEST(VersionInfo, FileWithoutResourceAnswersEmpty) {
  const TVersionInfo info(WideToAnsi(ProgramFolder() + L"REVorude.exe"));
  EXPECT_EQ(info.LangCodePage(), "");
  EXPECT_EQ(info.LanguageName(), "");
  for (int i = 0; i <= 10; ++i) EXPECT_EQ(info.GetVersionString(i), "") << i;
  EXPECT_EQ(info.GetVersionNumber(3), 0u);
}

TEST(VersionInfo, ResourceWithoutTranslationLooksUnderZeros) {
  const TVersionInfo info(WideToAnsi(ProgramFolder() + L"infra_notrans.dll"));
  EXPECT_EQ(info.LangCodePage(), "00000000");
  // Its only string table is under 040904E4, so nothing is found.
  EXPECT_EQ(info.GetVersionString(9), "");
  EXPECT_EQ(info.GetVersionNumber(0), 2u);
  EXPECT_EQ(info.GetVersionNumber(3), 9u);
}

TEST(ControlPanel, RunningSystemIsOfTheNtFamily) {
  EXPECT_EQ(GetControlPanelApplet(cppMousePointers), "main.cpl,Mouse,1");
  EXPECT_EQ(GetControlPanelApplet(cppScreenSaver), "desk.cpl,,1");
  EXPECT_EQ(GetControlPanelApplet(cppDisplay), "desk.cpl,,");
  EXPECT_EQ(GetControlPanelApplet(static_cast<TControlPanelPage>(3)), "");
  EXPECT_EQ(GetControlPanelApplet(static_cast<TControlPanelPage>(-1)), "");
}

TEST(ProgramLocation, FolderOfTheRunningProgramWithBackslash) {
  const std::wstring folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_TRUE(FileExists(folder + L"infra_version_test.exe"));
  EXPECT_EQ(FolderOf(L"C:\\a\\b.exe"), L"C:\\a\\");
  EXPECT_EQ(FolderOf(L"b.exe"), L"");
}

}  // namespace
