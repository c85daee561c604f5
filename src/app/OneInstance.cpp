#include "app/OneInstance.h"

#include <windows.h>

#include <string>

#include "app/ControlApplication.h"
#include "gui/Application.h"
#include "gui/Stream.h"

bool TOneInstance::Check() {
  if (!Enabled || !controlApplication_.AnotherCopyRunning()) return false;
  const std::string title = WideToUtf8(Application().Title());
  // Blank our own application window first, so the search finds the other
  // copy's window and never ours.
  SetWindowTextA(Application().Handle(), "");
  if (HWND other = FindWindowA("TApplication", title.c_str())) {
    if (IsIconic(other))
      ShowWindow(other, SW_RESTORE);
    else
      SetForegroundWindow(other);
  }
  Application().Terminate();
  return true;
}
