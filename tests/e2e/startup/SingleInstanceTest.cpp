#include <gtest/gtest.h>

#include "ProgramTest.h"

namespace {

using namespace e2e;

constexpr DWORD kStart = 20000;

using SingleInstance = TProgramTest;

TEST_F(SingleInstance, SecondCopyEndsWithoutWindowOrWrites) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  TProgram first(folder.Path() + L"Dorvane.exe");
  ASSERT_NE(first.WaitForWindow(L"TfrmDorvane", kStart), nullptr);
  ClearProgramRegistry();  // nothing of the first copy's start-up may count

  TProgram second(folder.Path() + L"Dorvane.exe");
  bool sawWindow = false;
  const DWORD start = GetTickCount();
  while (second.Running() && GetTickCount() - start < 10000) {
    sawWindow = sawWindow || second.FindWindowOfClass(L"TfrmDorvane", true) != nullptr;
    Sleep(20);
  }
  EXPECT_TRUE(second.WaitForExit(0)) << "the second copy must end by itself";
  EXPECT_FALSE(sawWindow);
  EXPECT_FALSE(RegistryKeyExists(L"Software\\Quillon"));
  EXPECT_FALSE(folder.Exists(L"WPapers.ini"));
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(first.CloseMainWindow());
}

TEST_F(SingleInstance, SecondCopyRestoresMinimisedFirstCopy) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  TProgram first(folder.Path() + L"Dorvane.exe");
  HWND main = first.WaitForWindow(L"TfrmDorvane", kStart);
  ASSERT_NE(main, nullptr);
  HWND app = FindWindowW(L"TApplication", L"Ombrelle");
  ASSERT_NE(app, nullptr);

  SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(IsIconic(app));
  ASSERT_FALSE(IsWindowVisible(main));

  TProgram second(folder.Path() + L"Dorvane.exe");
  EXPECT_TRUE(second.WaitForExit(10000));
  for (int i = 0; i < 100 && !IsWindowVisible(main); ++i) Sleep(50);
  EXPECT_FALSE(IsIconic(app));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_TRUE(first.CloseMainWindow());
}

TEST_F(SingleInstance, DifferentFileNamesRunSideBySideButCaseDoesNotCount) {
  TProgramFolder one, two, three;
  one.Copy(L"Dorvane.exe", L"Dorvane.exe");
  two.Copy(L"Dorvane.exe", L"Ombrelle.exe");
  three.Copy(L"Dorvane.exe", L"dORVANE.EXE");

  TProgram first(one.Path() + L"Dorvane.exe");
  ASSERT_NE(first.WaitForWindow(L"TfrmDorvane", kStart), nullptr);
  TProgram other(two.Path() + L"Ombrelle.exe");
  EXPECT_NE(other.WaitForWindow(L"TfrmDorvane", kStart), nullptr);

  // Same name in other letter cases, from another folder: the same program.
  TProgram sameName(three.Path() + L"dORVANE.EXE");
  EXPECT_TRUE(sameName.WaitForExit(10000));

  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(other.Running());
  EXPECT_TRUE(other.CloseMainWindow());
  EXPECT_TRUE(first.CloseMainWindow());
}

}  // namespace
