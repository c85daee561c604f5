#include "app/MainWindow.h"

#include "about/About.h"
#include "engine/EngineContract.h"
#include "engine/EngineControl.h"
#include "gui/Application.h"
#include "gui/OpenPictureDialog.h"
#include "gui/ProgramPath.h"
#include "gui/Screen.h"
#include "gui/StdCtrls.h"
#include "settings/Rgstry.h"
#include "settings/WPapers.h"
#include "widgets/PictureBox.h"

namespace {
const TFormDesc kMainWindow{L"TfrmDorvane", L"Quillon Ombrelle", 645, 457, TBorderStyle::Single,
                            TFormPosition::ScreenCenter, true};
}  // namespace

TfrmDorvane::TfrmDorvane(const TControlApplication& controlApplication)
    : Dorvane(controlApplication) {}

TfrmDorvane::~TfrmDorvane() = default;

void TfrmDorvane::Create() { TForm::Create(kMainWindow, Application().Handle()); }

void TfrmDorvane::CreateControls() {
  BuildLayout();
  BindHandlers();
  // All components exist: a second copy of the program stops here (the
  // creation handler still runs, the message loop then ends at once).
  Dorvane.Check();
}

void TfrmDorvane::FormCreate() {
  // 1. The system's hand cursor for every hand-pointing control.
  if (HCURSOR hand = LoadCursorW(nullptr, IDC_HAND)) SetHandPointCursor(hand);
  // 2. Focus moving away from the unit buttons closes their pop-up.
  Application().OnActiveControlChange = [this](HWND previous, HWND current) { ActiveControlChanged(previous, current); };
  // 3. Each grid row carries one wallpaper entry (TFileGrid's record type).
  // 4. The registry's values into the controls.
  LoadSettings(*this);
  // 5-8. The list file beside the program, the first row, the count.
  SettingsFile = ProgramFolder() + L"WPapers.ini";
  LoadWallpaperList(SettingsFile, WallpaperList());
  SelectFile(0);
  UpdateFileCount();
  // 9. The unit button for the loaded unit; the unit itself stays.
  (TimerStyle == 0 ? rdoTimerSecond : TimerStyle == 2 ? rdoTimerHour : rdoTimerMinute)->SetChecked(true);
  // 10. Dependent controls follow the loaded values.
  chkRandomPointerClick();
  chkRandomSSaverClick();
  chkTimerClick();
  trkTimerChange();
  cboStretchModeChange();
  // 11. The engine's state.
  ShowEngineState(IsEngineRunning());
}

void TfrmDorvane::FormShow() {}

void TfrmDorvane::FormClose() {
  // The logo's animation stops before the window goes.
  imgDorvane->SetGraphic(nullptr);
  SaveSettings(*this);
  SaveWallpaperList(SettingsFile, WallpaperList());
}

void TfrmDorvane::FormDestroy() {
  Application().OnActiveControlChange = nullptr;
  Application().OnMessage = nullptr;
}

void TfrmDorvane::btnAboutClick() { ShowAboutWindow(Handle()); }

void TfrmDorvane::btnExitClick() { Close(); }

bool TfrmDorvane::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_ENGINE_STATE) {
    WMEngineState(wParam);
    result = 0;
    return true;
  }
  return TForm::HandleMessage(msg, wParam, lParam, result);
}
