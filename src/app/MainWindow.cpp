#include "app/MainWindow.h"

#include "about/About.h"
#include "engine/EngineContract.h"
#include "engine/EngineControl.h"
#include "engine/Startup.h"
#include "gui/Application.h"
#include "gui/Dialogs.h"
#include "gui/OpenPictureDialog.h"
#include "gui/ProgramPath.h"
#include "gui/Screen.h"
#include "gui/StdCtrls.h"
#include "gui/Stream.h"
#include "settings/Rgstry.h"
#include "settings/WPapers.h"
#include "widgets/PictureBox.h"

namespace {
const TFormDesc kMainWindow{L"TfrmDorvane", L"Quillon Ombrelle", 645, 457, TBorderStyle::Single,
                            TFormPosition::ScreenCenter, true};

// What Windows shows while the program holds a log-off or shut-down.
const wchar_t kShutdownBlockReason[] = L"The wallpaper list could not be saved.";

// The choices after a failed save at close. The ids are those of the
// message box that stands in where the system has no task dialog.
constexpr int kTryAgain = IDTRYAGAIN;
constexpr int kCloseWithoutSaving = IDCONTINUE;
constexpr int kStayOpen = IDCANCEL;

int AskAfterFailedSave(HWND owner, const std::vector<std::wstring>& failures) {
  const std::wstring instruction = L"Your wallpaper list and settings could not be saved.";
  std::wstring content;
  for (const std::wstring& failure : failures) content += failure + L"\r\r";
  content += L"If you close without saving, the changes since the last save are lost.";
  int choice = ShowTaskDialog(owner, Application().Title(), instruction, content,
                              {{kTryAgain, L"&Try again"}, {kCloseWithoutSaving, L"&Close without saving"},
                               {kStayOpen, L"&Stay open"}},
                              kStayOpen);
  if (choice == 0)
    choice = ShowMessageBox(owner,
                            instruction + L"\r\r" + content +
                                L"\r\rTry Again: save again.\rContinue: close without saving.\rCancel: keep the "
                                L"window open.",
                            Application().Title(), MB_CANCELTRYCONTINUE | MB_ICONSTOP | MB_DEFBUTTON1);
  return choice;
}

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

bool TfrmDorvane::FormCloseQuery() {
  // Nothing is torn down before closing is certain: a window that stays
  // open stays as it was.
  TSaveOutcome outcome = SaveEverything();
  int choice = kStayOpen;
  while (!outcome.Saved()) {
    choice = AskAfterFailedSave(Handle(), outcome.Failures);
    if (choice != kTryAgain) break;
    outcome = SaveEverything();
  }
  if (!outcome.StartupFailure.empty()) ReportStartupFailure(outcome.StartupFailure);
  return outcome.Saved() || choice == kCloseWithoutSaving;
}

void TfrmDorvane::FormClose() {
  // The logo's animation stops before the window goes.
  imgDorvane->SetGraphic(nullptr);
}

TfrmDorvane::TSaveOutcome TfrmDorvane::SaveEverything() {
  TSaveOutcome outcome;
  const TSettingsSave settings = SaveSettings(*this);
  if (!settings.Saved()) outcome.Failures.push_back(settings.Failure);
  outcome.StartupFailure = settings.StartupFailure;
  try {
    SaveWallpaperList(SettingsFile, WallpaperList());
  } catch (const std::exception& error) {
    // The list file's errors name the file and the system's reason.
    outcome.Failures.push_back(Utf8ToWide(error.what()));
  }
  if (outcome.Saved()) NoteSaved();
  return outcome;
}

void TfrmDorvane::NoteSaved() {
  if (!shutdownBlocked_) return;
  ShutdownBlockReasonDestroy(Handle());
  shutdownBlocked_ = false;
}

bool TfrmDorvane::QueryEndSession() {
  // No message box while Windows logs off or shuts down: what could not be
  // saved holds the session, with a reason that Windows shows the user.
  if (SaveEverything().Saved()) return true;
  ShutdownBlockReasonCreate(Handle(), kShutdownBlockReason);
  shutdownBlocked_ = true;
  return false;
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
  if (msg == WM_QUERYENDSESSION) {
    result = QueryEndSession() ? TRUE : FALSE;
    return true;
  }
  if (msg == WM_ENDSESSION) {
    // The session ends and the process with it: what changed since the
    // question is saved too. The engine keeps running, as after a close.
    if (wParam) SaveEverything();
    result = 0;
    return true;
  }
  return TForm::HandleMessage(msg, wParam, lParam, result);
}
