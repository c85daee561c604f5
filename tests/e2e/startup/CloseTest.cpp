// Closing the main window while its logo animates: the painter is stopped
// and waited for, wherever it stands in its frame, and the process ends
// within a second. On a busy machine every step of Wine's window teardown
// waits for the processor, and closing then takes as long as opening does;
// the start of the same copy, timed the same way, is the reference there.
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

}  // namespace
