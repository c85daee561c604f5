// Resting the mouse on a listed row shows the thumbnail tip with the
// picture's size, and the tip goes when the mouse leaves the list.
#include <gtest/gtest.h>

#include <string>

#include "ProgramTest.h"

namespace {

using namespace e2e;

HWND TipOf(const TProgram& program) { return program.FindWindowOfClass(L"DvThumbnailTip", true); }

using Hover = TProgramTest;

TEST_F(Hover, RestingOnARowShowsItsPictureSizeAndLeavingHidesIt) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  folder.WriteFile(L"wide.bmp", SolidBmp(400, 100));
  std::wstring path = folder.Path();
  path.pop_back();
  std::string ansiPath(path.begin(), path.end());  // the temporary folder's name is plain ASCII
  folder.WriteFile(L"WPapers.ini",
                   "[Wallpaper #1]\r\nFilename=wide.bmp\r\nPath=" + ansiPath + "\r\nPosition=Center\r\n\r\n");
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND main = program.WaitForWindow(L"TfrmDorvane", 20000);
  ASSERT_NE(main, nullptr);
  HWND grid = FindWindowExW(main, nullptr, L"TDorvaneVirtualGrid", nullptr);
  for (HWND child = GetWindow(main, GW_CHILD); !grid && child; child = GetWindow(child, GW_HWNDNEXT))
    grid = FindWindowExW(child, nullptr, L"TDorvaneVirtualGrid", nullptr);
  ASSERT_NE(grid, nullptr);
  RECT header{};
  GetWindowRect(FindWindowExW(grid, nullptr, L"SysHeader32", nullptr), &header);
  RECT frame{};
  GetWindowRect(grid, &frame);
  // The middle of the first row, then a step within it, as a hand rests.
  const int y = header.bottom > frame.top ? header.bottom + 9 : frame.top + 30;
  SetCursorPos(frame.left + 40, y);
  Sleep(50);
  SetCursorPos(frame.left + 42, y);

  ASSERT_TRUE(WaitFor([&] { return TipOf(program) != nullptr; }, 5000)) << "no tip after resting on the row";
  EXPECT_EQ(WindowText(TipOf(program)), L"400 x 100");

  SetCursorPos(frame.right + 200, frame.bottom + 200);
  EXPECT_TRUE(WaitFor([&] { return TipOf(program) == nullptr; }, 5000)) << "the tip outlived the mouse";
  ASSERT_TRUE(program.CloseMainWindow());
}

}  // namespace
