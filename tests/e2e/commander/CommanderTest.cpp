#include <gtest/gtest.h>

#include "ProgramTest.h"

namespace {

using namespace e2e;

constexpr DWORD kStart = 20000;

using Commander = TProgramTest;

TEST_F(Commander, HandWrittenListLoadsAndIsWrittenBackRenumbered) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  folder.WriteFile(L"WPapers.ini",
                   "[Wallpaper #7]\r\nFilename=a.jpg\r\nPath=D:\\Pictures\r\nPosition=Tile\r\n\r\n"
                   "[Wallpaper #2]\r\nFilename=b.bmp\r\nPath=D:\\Pictures\\Patterns\r\nPosition=TwentyCharacterWords\r\n\r\n"
                   "[Other]\r\nFilename=c.gif\r\nPath=C:\r\n\r\n");
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND main = program.WaitForWindow(L"TfrmDorvane", kStart);
  ASSERT_NE(main, nullptr);
  EXPECT_NE(ChildWithText(main, L"There are 3 files in the list."), nullptr);
  ASSERT_TRUE(program.CloseMainWindow());
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini"),
            "[Wallpaper #1]\r\nFilename=a.jpg\r\nPath=D:\\Pictures\r\nPosition=Tile\r\n\r\n"
            "[Wallpaper #2]\r\nFilename=b.bmp\r\nPath=D:\\Pictures\\Patterns\r\nPosition=TwentyChar\r\n\r\n"
            "[Wallpaper #3]\r\nFilename=c.gif\r\nPath=C:\r\nPosition=\r\n\r\n");
}

TEST_F(Commander, ARegistryValueOfTheWrongTypeIsReportedAndTheWindowOpens) {
  const wchar_t text[] = L"yes";
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Quillon\\Dorvane\\Settings", L"Random Timer", REG_SZ, text,
                  sizeof text);
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND box = WaitForMessageBox(program.Id(), L"Error", kStart);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box),
            L"Unable to load data from registry.\r\rYou may have not permission to open registry objects.\r"
            L"Settings will not be loaded from registry.");
  PressButton(box, IDOK);
  EXPECT_NE(program.WaitForWindow(L"TfrmDorvane", kStart), nullptr);
  EXPECT_TRUE(program.CloseMainWindow());
}

TEST_F(Commander, WithoutTheEngineBothButtonsReportItAndWriteNothing) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND main = program.WaitForWindow(L"TfrmDorvane", kStart);
  ASSERT_NE(main, nullptr);
  HWND start = ChildWithText(main, L"Start");
  ASSERT_NE(start, nullptr);
  ClearProgramRegistry();
  PostMessageW(start, BM_CLICK, 0, 0);
  HWND box = WaitForMessageBox(program.Id(), L"Error", 10000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box),
            L"Unable to find the Ombrelle engine \"REVorude.exe\".\r\rPlease reinstall it and try again.");
  PressButton(box, IDOK);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  EXPECT_FALSE(RegistryKeyExists(L"Software\\Quillon"));
  EXPECT_FALSE(folder.Exists(L"WPapers.ini"));
  EXPECT_TRUE(program.CloseMainWindow());
}

TEST_F(Commander, StopWithoutTheEngineFileReportsItToo) {
  // An engine that runs from elsewhere enables Stop; this folder has none.
  TProgram engine(BinFolder() + L"REVorude.exe", L"-startzpe");
  ASSERT_TRUE(WaitFor([] { return FindWindowW(L"obj_Form", L"REVorude") != nullptr; }));
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND main = program.WaitForWindow(L"TfrmDorvane", kStart);
  ASSERT_NE(main, nullptr);
  HWND stop = ChildWithText(main, L"Stop");
  ASSERT_TRUE(stop && IsWindowEnabled(stop)) << "the running engine is found at start";
  PostMessageW(stop, BM_CLICK, 0, 0);
  HWND box = WaitForMessageBox(program.Id(), L"Error", 10000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box),
            L"Unable to find the Ombrelle engine \"REVorude.exe\".\r\rPlease reinstall it and try again.");
  PressButton(box, IDOK);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  EXPECT_TRUE(program.CloseMainWindow());
  TProgram stopper(BinFolder() + L"REVorude.exe", L"-stopzpe");
  EXPECT_TRUE(WaitFor([] { return FindWindowW(L"obj_Form", L"REVorude") == nullptr; }));
}

TEST_F(Commander, AListFileThatCannotBeWrittenStopsTheStart) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  folder.Copy(L"REVorude.exe", L"REVorude.exe");
  const std::string before = "[Wallpaper #1]\r\nFilename=a.jpg\r\nPath=D:\\P\r\nPosition=Tile\r\n\r\n";
  folder.WriteFile(L"WPapers.ini", before);
  const std::wstring list = folder.Path() + L"WPapers.ini";
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND main = program.WaitForWindow(L"TfrmDorvane", kStart);
  ASSERT_NE(main, nullptr);
  SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_READONLY);
  PostMessageW(ChildWithText(main, L"Start"), BM_CLICK, 0, 0);
  HWND box = WaitForMessageBox(program.Id(), L"Ombrelle", 10000);
  ASSERT_NE(box, nullptr) << "the error is reported";
  EXPECT_NE(MessageBoxText(box).find(L"WPapers.ini"), std::wstring::npos) << "the message names the file";
  PressButton(box, IDOK);
  Sleep(1000);
  EXPECT_FALSE(folder.Exists(L"REVorude.log")) << "the engine was not launched";
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini"), before);
  SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(program.CloseMainWindow());
}

TEST_F(Commander, StartSavesFirstThenTheEngineStateDrivesTheButtons) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  folder.Copy(L"REVorude.exe", L"REVorude.exe");
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND main = program.WaitForWindow(L"TfrmDorvane", kStart);
  ASSERT_NE(main, nullptr);
  HWND start = ChildWithText(main, L"Start");
  HWND stop = ChildWithText(main, L"Stop");
  ASSERT_TRUE(start && stop);
  EXPECT_TRUE(IsWindowEnabled(start));
  EXPECT_FALSE(IsWindowEnabled(stop));

  PostMessageW(start, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(start); }, 20000)) << "the engine reports that it runs";
  EXPECT_TRUE(IsWindowEnabled(stop));
  // The pressed button went grey with the focus: the other one has it now.
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info));
  EXPECT_EQ(info.hwndFocus, stop);
  const std::string log = folder.ReadFile(L"REVorude.log");
  EXPECT_NE(log.find("-startzpe"), std::string::npos);
  EXPECT_NE(log.find("WPapers.ini (exists)"), std::string::npos) << log;
  EXPECT_TRUE(RegistryKeyExists(L"Software\\Quillon\\Dorvane\\Settings"));

  // Stop writes nothing.
  DeleteFileW((folder.Path() + L"WPapers.ini").c_str());
  ClearProgramRegistry();
  PostMessageW(stop, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(start); }, 20000)) << "the engine reports that it stopped";
  EXPECT_FALSE(folder.Exists(L"WPapers.ini"));
  EXPECT_FALSE(RegistryKeyExists(L"Software\\Quillon"));
  EXPECT_TRUE(program.CloseMainWindow());
}

}  // namespace
