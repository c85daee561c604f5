#pragma once
// How many GDI and USER objects this process holds, for tests that check
// nothing leaks. Windows reports both through GetGuiResources. Wine answers
// 0 there, so the objects are counted directly: every live GDI handle (its
// handle table takes a bare index), and this process's windows and menus
// (icons and cursors are not counted there).
#include <windows.h>

struct TGuiObjects {
  DWORD Gdi = 0;
  DWORD User = 0;
  // Where the figures come from: "GetGuiResources" or "counted".
  const char* Source = "";
};

TGuiObjects CountGuiObjects();
