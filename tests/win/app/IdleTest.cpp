// The main window with its animated logo: at rest the painter sleeps
// between frames, so the window costs little CPU; opening and closing the
// About window over it again and again leaks nothing and never hangs.
#include <gtest/gtest.h>

#include <cstdio>

#include "GuiObjects.h"
#include "WindowFixture.h"
#include "widgets/GlyphButton.h"
#include "gui/Application.h"
#include "pictures/gif/GIFDraw.h"
#include "widgets/PictureBox.h"

namespace {

double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// Handles the window's messages for the given time, sleeping until one
// comes as the program's own loop does; returns the CPU time the process
// used meanwhile, as a share of one core.
double IdleShare(DWORD milliseconds) {
  const double cpu = CpuSeconds();
  const DWORD start = GetTickCount();
  for (DWORD spent = 0; spent < milliseconds; spent = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - spent, QS_ALLINPUT);
    Application().ProcessMessages();
  }
  return (CpuSeconds() - cpu) / (milliseconds / 1000.0);
}

using Idle = MainWindowFixture;

TEST_F(Idle, AnimatedLogoCostsLittleCpu) {
  Open();
  const double animated = IdleShare(5000);
  form_->imgDorvane->SetGraphic(nullptr);
  const double still = IdleShare(5000);
  std::printf("idle CPU, one core: with the logo animating %.1f %%, without %.1f %%\n", animated * 100, still * 100);
  EXPECT_LT(animated, 0.10);
}

// The About window's class; a thread timer closes it from inside its modal
// loop as soon as it shows.
BOOL CALLBACK CloseAboutWindow(HWND window, LPARAM closed) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (IsWindowVisible(window) && std::wstring(name) == L"TfrmAbout") {
    PostMessageW(window, WM_CLOSE, 0, 0);
    *reinterpret_cast<bool*>(closed) = true;
  }
  return TRUE;
}

bool aboutClosed = false;

void CALLBACK CloseAboutTimer(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseAboutWindow, reinterpret_cast<LPARAM>(&aboutClosed));
}

TEST_F(Idle, AboutWindowOpenedFiftyTimesOverTheAnimatedLogoLeavesNothingBehind) {
  TfrmDorvane& form = Open();
  auto* logo = dynamic_cast<TGIFImage*>(form.imgDorvane->Graphic());
  ASSERT_NE(logo, nullptr);
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, CloseAboutTimer);
  auto openAbout = [&] {
    aboutClosed = false;
    const DWORD start = GetTickCount();
    form.btnAbout->OnClick(*form.btnAbout);  // modal: returns when the timer has closed it
    EXPECT_TRUE(aboutClosed);
    EXPECT_LT(GetTickCount() - start, 5000u);
  };
  // The first openings load what stays loaded (the links library's code,
  // fonts); a whole loop of the logo caches the bitmaps of all its frames.
  openAbout();
  openAbout();
  IdleShare(2000);
  const TGuiObjects before = CountGuiObjects();
  const DWORD start = GetTickCount();
  for (int i = 0; i < 50 && !HasFailure(); ++i) openAbout();
  const DWORD took = GetTickCount() - start;
  IdleShare(200);
  const TGuiObjects after = CountGuiObjects();
  KillTimer(nullptr, timer);
  std::printf("50 About windows in %lu ms; GDI objects %lu before, %lu after; USER objects %lu before, %lu after (%s)\n",
              took, before.Gdi, after.Gdi, before.User, after.User, after.Source);
  EXPECT_GT(before.Gdi, 0u);
  EXPECT_GT(before.User, 0u);
  // A little slack for the logo's painter, caught mid-frame at one count
  // and not at the other; far below one object per window.
  EXPECT_LE(after.Gdi, before.Gdi + 3);
  EXPECT_EQ(after.User, before.User);
  EXPECT_EQ(GIFPainterCount(*logo), 1) << "the logo kept animating on its one painter";
}

}  // namespace
