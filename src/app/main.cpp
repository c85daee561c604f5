// Entry of the commander: one copy per program file, the application window,
// the main window, the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/ControlApplication.h"
#include "app/MainWindow.h"
#include "app/PictureTypes.h"
#include "gui/Application.h"
#include "gui/Dpi.h"
#include "gui/Synchronize.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The manifest declares it too; older systems only take the call.
  DeclareDpiAwareness();
  // Before any window: the instance mutex and the another-copy note.
  TControlApplication controlApplication;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&controls);
  // This is the GUI thread: the picture painters hand their paints to it.
  InitSynchronize();
  Application().Initialize();
  Application().SetTitle(L"Ombrelle");
  // Window descriptions hold pictures by type name: types first.
  RegisterPictureTypes();

  try {
    TfrmDorvane frmDorvane(controlApplication);
    frmDorvane.Create();
    Application().Run(frmDorvane);
  } catch (...) {
    Application().HandleCurrentException();
    return 1;
  }
  return 0;
}
