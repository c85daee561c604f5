#pragma once
// The registry settings store of the main window: every setting of the
// engine, the grid's column widths and the Add dialog's folder, under
// HKEY_CURRENT_USER\Software\Quillon\Dorvane\Settings.
#include <string>

class TfrmDorvane;

// Moves the stored values into the window's controls. Absent values leave
// the controls as the window description made them. A registry error ends
// the load at that value and is reported in a message box.
void LoadSettings(TfrmDorvane& form);

// What a save of the settings left undone; empty texts when nothing.
struct TSettingsSave {
  // The settings: the key that could not be written and the system's reason.
  std::wstring Failure;
  // The start-up entry: the message for the user (SetRunAtStartup).
  std::wstring StartupFailure;
  bool Saved() const { return Failure.empty(); }
};

// Writes the maker key, the product key and every setting, then brings the
// start-up entry in line with its check box. Shows nothing: a registry error
// ends the save at that step (the start-up entry is then left alone) and is
// returned, for the caller to report as the moment asks.
TSettingsSave SaveSettings(TfrmDorvane& form);

// The report of a failed settings save when the engine is started: caption
// "Error", stop icon, OK button.
void ReportSettingsNotSaved();
