// The main window at rest with its animated logo: the painter sleeps between
// frames, so the window costs little CPU.
#include <gtest/gtest.h>

#include <cstdio>

#include "WindowFixture.h"
#include "gui/Application.h"
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

}  // namespace
