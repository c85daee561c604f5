// Closing the main window: while its logo animates the painter is stopped
// and waited for, wherever it stands in its frame, and the process ends
// within a second (on a busy machine every step of Wine's window teardown
// waits for the processor, and closing then takes as long as opening does:
// the start of the same copy, timed the same way, is the reference there);
// a list file that cannot be saved lets the user try again, close without
// saving or stay open, never traps the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "ProgramTest.h"

namespace {

using namespace e2e;

using Close = TProgramTest;

TEST_F(Close, WhileTheLogoAnimatesTheProcessEndsWithinASecond) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  // Closed at different moments of the 48 ms frame cycle.
  for (DWORD phase : {0, 17, 31}) {
    SCOPED_TRACE(phase);
    const DWORD launched = GetTickCount();
    TProgram program(folder.Path() + L"Dorvane.exe");
    HWND main = program.WaitForWindow(L"TfrmDorvane", 20000);
    ASSERT_NE(main, nullptr);
    const DWORD opening = GetTickCount() - launched;
    Sleep(500 + phase);
    const DWORD start = GetTickCount();
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(5000));
    const DWORD took = GetTickCount() - start;
    std::printf("closed %lu ms into the cycle: the process ended after %lu ms (it opened in %lu ms)\n", phase, took,
                opening);
    EXPECT_LT(took, std::max<DWORD>(1000, opening));
    EXPECT_EQ(program.ExitCode(), 0u);
  }
}

// The dialog that a failed save at close shows, with its three buttons.
struct TSaveFailedDialog {
  HWND box = nullptr, tryAgain = nullptr, withoutSaving = nullptr, stayOpen = nullptr;

  // Closes main first, unless it is null (the dialog comes by itself).
  TSaveFailedDialog(const TProgram& program, HWND main) {
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    box = WaitForMessageBox(program.Id(), L"Ombrelle", 10000);
    if (!box) return;
    tryAgain = ChildWithText(box, L"&Try again");
    withoutSaving = ChildWithText(box, L"&Close without saving");
    stayOpen = ChildWithText(box, L"&Stay open");
  }
  bool Complete() const { return box && tryAgain && withoutSaving && stayOpen; }
  void Press(HWND button) const { PressButton(box, GetDlgCtrlID(button)); }
};

TEST_F(Close, AListFileThatCannotBeSavedOffersTryAgainCloseWithoutSavingAndStayOpen) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  const std::string before = "[Wallpaper #1]\r\nFilename=a.jpg\r\nPath=D:\\P\r\nPosition=Tile\r\n\r\n";
  folder.WriteFile(L"WPapers.ini", before);
  const std::wstring list = folder.Path() + L"WPapers.ini";
  SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_READONLY);
  for (const bool retryWhenWritable : {false, true}) {
    TProgram program(folder.Path() + L"Dorvane.exe");
    HWND main = program.WaitForWindow(L"TfrmDorvane", 20000);
    ASSERT_NE(main, nullptr);
    PostMessageW(ChildWithText(main, L"&Remove"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return ChildWithText(main, L"There are no files in the list!") != nullptr; }));
    TSaveFailedDialog first(program, main);
    ASSERT_TRUE(first.Complete());
    if (retryWhenWritable) {
      SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_NORMAL);
      first.Press(first.tryAgain);
      EXPECT_TRUE(program.WaitForExit(10000));
      EXPECT_EQ(folder.ReadFile(L"WPapers.ini"), "");
      break;
    }
    EXPECT_NE(ChildWithText(first.box, L"Your wallpaper list could not be saved."), nullptr)
        << "the settings were saved";
    EXPECT_NE(ChildWithText(first.box, (L"Cannot save file \"" + list +
                                        L"\". The file is read-only.\r\rIf you close without saving, the changes "
                                        L"since the last save are lost.")
                                           .c_str()),
              nullptr)
        << "the message names the file and the reason";
    EXPECT_EQ(LOWORD(SendMessageW(first.box, DM_GETDEFID, 0, 0)), GetDlgCtrlID(first.stayOpen));
    first.Press(first.stayOpen);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(first.box); }));
    Sleep(500);
    EXPECT_TRUE(program.Running() && IsWindowVisible(main) && IsWindowEnabled(main)) << "the window stays open";

    TSaveFailedDialog second(program, main);
    ASSERT_TRUE(second.Complete());
    second.Press(second.tryAgain);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(second.box); }));
    TSaveFailedDialog third(program, nullptr);  // the file is still read-only: asked again
    ASSERT_TRUE(third.Complete());
    third.Press(third.withoutSaving);
    EXPECT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(folder.ReadFile(L"WPapers.ini"), before);
  }
}

}  // namespace
