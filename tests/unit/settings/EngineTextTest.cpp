#include <gtest/gtest.h>

#include "engine/CPApplet.h"
#include "engine/Startup.h"

namespace {

TEST(ControlPanelApplet, PagesByPlatformFamily) {
  EXPECT_EQ(ControlPanelAppletFor(PlatformWindowsNT, cppMousePointers), "main.cpl,Mouse,1");
  EXPECT_EQ(ControlPanelAppletFor(PlatformWindows9x, cppMousePointers), "main.cpl,Mouse,0");
  EXPECT_EQ(ControlPanelAppletFor(PlatformWindowsNT, cppScreenSaver), "desk.cpl,,1");
  EXPECT_EQ(ControlPanelAppletFor(PlatformWindows9x, cppScreenSaver), "desk.cpl,,1");
  EXPECT_EQ(ControlPanelAppletFor(PlatformWindowsNT, cppDisplay), "desk.cpl,,");
  EXPECT_EQ(ControlPanelAppletFor(PlatformWindows9x, cppDisplay), "desk.cpl,,2");
}

TEST(ControlPanelApplet, UnknownPlatformOrPageGivesNoApplet) {
  for (int page = -1; page <= 3; ++page) {
    EXPECT_EQ(ControlPanelAppletFor(PlatformWin32s, page), "") << page;
    EXPECT_EQ(ControlPanelAppletFor(3, page), "") << page;
  }
  EXPECT_EQ(ControlPanelAppletFor(PlatformWindowsNT, -1), "");
  EXPECT_EQ(ControlPanelAppletFor(PlatformWindowsNT, 3), "");
  EXPECT_EQ(ControlPanelParameters(ControlPanelAppletFor(PlatformWin32s, cppMousePointers)),
            "shell32.dll,Control_RunDLL ");
  EXPECT_EQ(ControlPanelParameters(ControlPanelAppletFor(PlatformWindowsNT, cppMousePointers)),
            "shell32.dll,Control_RunDLL main.cpl,Mouse,1");
}

TEST(StartupCommand, QuotesTheEnginePathOnlyWhenItHasABlank) {
  EXPECT_EQ(StartupCommand(L"D:\\Apps\\"), L"D:\\Apps\\REVorude.exe -startzpe");
  EXPECT_EQ(StartupCommand(L"C:\\Program Files\\Ombrelle\\"),
            L"\"C:\\Program Files\\Ombrelle\\REVorude.exe\" -startzpe");
}

}  // namespace
