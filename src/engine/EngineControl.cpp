// Starting and stopping the engine, and showing whether it runs.
#include "engine/EngineControl.h"

#include <windows.h>

#include <shellapi.h>

#include "app/MainWindow.h"
#include "engine/EngineContract.h"
#include "engine/Startup.h"
#include "gui/Dialogs.h"
#include "gui/ProgramPath.h"
#include "settings/Rgstry.h"
#include "settings/WPapers.h"
#include "widgets/EffectLabel.h"
#include "widgets/GlyphButton.h"

bool IsEngineRunning() { return FindWindowW(EngineWindowClass, EngineWindowTitle) != nullptr; }

void TfrmDorvane::ShowEngineState(bool running) {
  TControl* now = running ? static_cast<TControl*>(btnStop) : btnStart;
  TControl* before = running ? static_cast<TControl*>(btnStart) : btnStop;
  now->SetEnabled(true);
  // A button that goes grey while it has the focus hands it to the other
  // one, so that the keyboard keeps working.
  if (GetFocus() == before->Handle()) now->SetFocus();
  before->SetEnabled(false);
  lblNewSettings->SetVisible(running);
}

void TfrmDorvane::WMEngineState(WPARAM wParam) { ShowEngineState(wParam == 1); }

void TfrmDorvane::btnStartStopClick(TControl& sender) {
  const std::wstring engine = ProgramFolder() + EngineFileName;
  const DWORD attributes = GetFileAttributesW(engine.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ShowErrorBox(L"Unable to find the Ombrelle engine \"REVorude.exe\".\r\rPlease reinstall it and try again.");
    return;
  }
  const wchar_t* parameters = EngineStopParam;
  if (&sender == btnStart) {
    const TSettingsSave settings = SaveSettings(*this);
    if (!settings.Saved()) ReportSettingsNotSaved();
    // A list that cannot be written stops the start here: the engine must
    // not run on a stale list.
    try {
      SaveWallpaperList(SettingsFile, WallpaperList());
    } catch (...) {
      if (!settings.StartupFailure.empty()) ReportStartupFailure(settings.StartupFailure);
      throw;
    }
    if (settings.Saved()) NoteSaved();
    if (!settings.StartupFailure.empty()) ReportStartupFailure(settings.StartupFailure);
    parameters = EngineStartParam;
  }
  ShellExecuteW(nullptr, L"open", engine.c_str(), parameters, nullptr, SW_HIDE);
}
