#include "app/MainWindow.h"

#include "about/About.h"
#include "app/PictureTypes.h"
#include "engine/EngineContract.h"
#include "engine/EngineControl.h"
#include "engine/EnginePanel.h"
#include "engine/Startup.h"
#include "grid/VirtualGrid.h"
#include "gui/AnsiText.h"
#include "gui/Application.h"
#include "gui/Dialogs.h"
#include "gui/ProgramPath.h"
#include "gui/Screen.h"
#include "list/WallpaperColumns.h"
#include "list/WallpaperPanel.h"
#include "settings/Rgstry.h"
#include "settings/SettingsPanel.h"
#include "widgets/EffectLabel.h"
#include "widgets/FlatSpeedButton.h"
#include "widgets/GlyphButton.h"
#include "widgets/PictureBox.h"

namespace {
const TFormDesc kMainWindow{L"TfrmDorvane", L"Quillon Ombrelle", 645, 457, TBorderStyle::Single,
                            TFormPosition::ScreenCenter, true};

// What could not be saved, as the failed-save question and the reason for
// a held log-off say it.
std::wstring NotSaved(const TfrmDorvane::TSaveOutcome& outcome) {
  if (outcome.ListFailed && outcome.SettingsFailed) return L"wallpaper list and settings could not be saved.";
  return outcome.ListFailed ? L"wallpaper list could not be saved." : L"settings could not be saved.";
}

// The choices after a failed save at close. The ids are those of the
// message box that stands in where the system has no task dialog.
constexpr int kTryAgain = IDTRYAGAIN;
constexpr int kCloseWithoutSaving = IDCONTINUE;
constexpr int kStayOpen = IDCANCEL;
// Posted to the window by its show handler.
constexpr UINT kAfterShown = WM_APP + 0x2A0;

int AskAfterFailedSave(HWND owner, const TfrmDorvane::TSaveOutcome& outcome) {
  const std::wstring instruction = L"Your " + NotSaved(outcome);
  std::wstring content;
  for (const std::wstring& failure : outcome.Failures) content += failure + L"\r\r";
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
  MakePanels();
  // All components exist: a second copy of the program stops here (the
  // creation handler still runs, the message loop then ends at once).
  Dorvane.Check();
}

void TfrmDorvane::MakePanels() {
  wallpaperPanel_ = std::make_unique<TWallpaperPanel>(
      TWallpaperControls{lstFiles, lblFileCount, btnAdd, btnRemove, btnClear}, wallpapers_);
  wallpaperPanel_->AddDialog().OnPreviewLoaded = FitPreview;
  wallpaperPanel_->View().Hover().OnPrepare = FitThumbnail;
  settingsPanel_ = std::make_unique<TSettingsPanel>(
      TSettingsControls{chkRandomPointer, btnPointerSettings, chkRandomSSaver, btnSSaverSettings, chkTimer,
                        pnlTimerStyle, rdoTimerSecond, rdoTimerMinute, rdoTimerHour, lblTimer, trkTimer,
                        chkRunAtStartup, chkTrayIcon, cboStretchMode, btnStretchModeHelp, lblBGColor, cboBGColor},
      settings_);
  enginePanel_ = std::make_unique<TEnginePanel>(TEngineControls{btnStart, btnStop, lblNewSettings},
                                                [this] { SaveBeforeEngineStarts(); });
  btnAbout->OnClick = [this](TControl&) { ShowAboutWindow(Handle()); };
  btnExit->OnClick = [this](TControl&) { Close(); };
}

void TfrmDorvane::FormCreate() {
  // The system's hand cursor for every hand-pointing control.
  if (HCURSOR hand = LoadCursorW(nullptr, IDC_HAND)) SetHandPointCursor(hand);
  // The application-wide message hook, and focus moving away from the unit
  // buttons, both close the unit choice.
  Application().OnMessage = [this](MSG& msg, bool& handled) { settingsPanel_->FilterMessage(msg, handled); };
  Application().OnActiveControlChange = [this](HWND, HWND current) { settingsPanel_->ActiveControlChanged(current); };
  // The registry's values, then the list file beside the program.
  LoadSettings(settings_);
  settings_.SettingsFile = ProgramFolder() + L"WPapers.ini";
  wallpaperPanel_->AddDialog().InitialDir = settings_.LastFolder;
  lstFiles->SetColumnWidth(kFileNameColumn, settings_.FileNameWidth);
  lstFiles->SetColumnWidth(kPathColumn, settings_.PathWidth);
  lstFiles->SetColumnWidth(kPositionColumn, settings_.PositionWidth);
  settingsPanel_->Show();
  // A second copy that is ending reads nothing: no question, no copy.
  if (Application().Terminated()) return;
  if (!listFile_.Load(Handle(), settings_.SettingsFile, wallpapers_)) {
    // The user would rather quit than go on without the list: the program
    // ends before its window is shown, and saves nothing.
    Application().Terminate();
    return;
  }
  wallpaperPanel_->SelectFile(0);
  enginePanel_->ShowState(IsEngineRunning());
  loaded_ = true;
}

void TfrmDorvane::FormShow() {
  // The window is painted; the message loop takes this before any input.
  // A window destroyed first drops the message, and nothing was started.
  PostMessageW(Handle(), kAfterShown, 0, 0);
}

void TfrmDorvane::AfterShown() {
  ole_.Start();
  wallpaperPanel_->AcceptDrops();
}

void TfrmDorvane::CollectSettings() {
  settings_.LastFolder = wallpaperPanel_->AddDialog().InitialDir;
  settings_.FileNameWidth = lstFiles->ColumnWidth(kFileNameColumn);
  settings_.PathWidth = lstFiles->ColumnWidth(kPathColumn);
  settings_.PositionWidth = lstFiles->ColumnWidth(kPositionColumn);
  settingsPanel_->Collect();
}

void TfrmDorvane::SaveBeforeEngineStarts() {
  CollectSettings();
  const TSettingsSave settings = SaveSettings(settings_);
  if (!settings.Saved()) ReportSettingsNotSaved();
  // A list that cannot be written stops the start here: the engine must
  // not run on a stale list.
  try {
    listFile_.Save(wallpapers_);
  } catch (...) {
    if (!settings.StartupFailure.empty()) ReportStartupFailure(settings.StartupFailure);
    throw;
  }
  if (settings.Saved()) NoteSaved();
  if (!settings.StartupFailure.empty()) ReportStartupFailure(settings.StartupFailure);
}

bool TfrmDorvane::FormCloseQuery() {
  // Nothing is torn down before closing is certain: a window that stays
  // open stays as it was.
  TSaveOutcome outcome = SaveEverything();
  int choice = kStayOpen;
  while (!outcome.Saved()) {
    choice = AskAfterFailedSave(Handle(), outcome);
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
  if (!loaded_) return outcome;
  CollectSettings();
  const TSettingsSave settings = SaveSettings(settings_);
  if (!settings.Saved()) {
    outcome.Failures.push_back(settings.Failure);
    outcome.SettingsFailed = true;
  }
  outcome.StartupFailure = settings.StartupFailure;
  try {
    listFile_.Save(wallpapers_);
  } catch (const std::exception& error) {
    // The list file's errors name the file and the system's reason.
    outcome.Failures.push_back(Utf8ToWide(error.what()));
    outcome.ListFailed = true;
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
  const TSaveOutcome outcome = SaveEverything();
  if (outcome.Saved()) return true;
  const std::wstring reason = L"The " + NotSaved(outcome);
  ShutdownBlockReasonCreate(Handle(), reason.c_str());
  shutdownBlocked_ = true;
  return false;
}

void TfrmDorvane::FormDestroy() {
  Application().OnActiveControlChange = nullptr;
  Application().OnMessage = nullptr;
}

bool TfrmDorvane::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == kAfterShown) {
    AfterShown();
    result = 0;
    return true;
  }
  if (msg == WM_ENGINE_STATE) {
    enginePanel_->ShowState(wParam == 1);
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
