#include <gtest/gtest.h>

#include "WineTestKit.h"
#include "gui/Dialogs.h"

namespace {

TEST(MessageBoxes, CaptionsTextsAndAnswers) {
  {
    TBoxWatcher box(L"Error");
    ShowErrorBox(L"First line\r\rSecond line");
    EXPECT_TRUE(box.Finish());
    EXPECT_EQ(box.Text(), L"First line\r\rSecond line");
  }
  {
    TBoxWatcher box(L"Information");
    ShowInfoBox(L"Saved.");
    EXPECT_TRUE(box.Finish());
    EXPECT_EQ(box.Text(), L"Saved.");
  }
  {
    // The watcher presses the first button, which is Yes.
    TBoxWatcher box(L"Confirm");
    EXPECT_TRUE(AskYesNo(L"Remove all wallpapers?"));
    EXPECT_TRUE(box.Finish());
    EXPECT_EQ(box.Text(), L"Remove all wallpapers?");
  }
}

TEST(MessageBoxes, OwnedByTheActiveWindow) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  SetActiveWindow(owner);
  PumpUntil([&] { return GetActiveWindow() == owner; }, 2000);
  if (GetActiveWindow() != owner) {
    DestroyWindow(owner);
    GTEST_SKIP() << "the window manager did not activate the window";
  }
  HWND boxOwner = nullptr;
  std::thread probe([&] {
    for (int i = 0; i < 250 && !boxOwner; ++i) {
      HWND box = FindWindowW(L"#32770", L"Error");
      if (box) {
        boxOwner = GetWindow(box, GW_OWNER);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
      Sleep(20);
    }
  });
  ShowErrorBox(L"owned");
  probe.join();
  EXPECT_EQ(boxOwner, owner);
  DestroyWindow(owner);
}

}  // namespace
