// Entry of the commander: one copy per program file, the application window,
// the main window, the message loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/ControlApplication.h"
#include "app/MainWindow.h"
#include "app/PictureTypes.h"
#include "gui/Application.h"
#include "gui/Dpi.h"
#include "gui/Synchronize.h"

namespace {

// OLE on the GUI thread, for as long as windows live: files dragged from
// Explorer reach the wallpaper grid through it. Without it the program runs
// on and takes no drops.
class TOleSession {
 public:
  TOleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~TOleSession() {
    if (initialised_) OleUninitialize();
  }
  TOleSession(const TOleSession&) = delete;
  TOleSession& operator=(const TOleSession&) = delete;

 private:
  bool initialised_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The manifest declares it too; older systems only take the call.
  DeclareDpiAwareness();
  // Before any window: the instance mutex and the another-copy note.
  TControlApplication controlApplication;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&controls);
  const TOleSession ole;
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
