#pragma once
// The settings in the registry: every value of TSettings under
// HKEY_CURRENT_USER\Software\Quillon\Dorvane\Settings, plus the maker's and
// the product's keys that the engine and installers read.
#include <string>

#include "settings/Settings.h"

// Reads the stored values into settings. Absent values keep what settings
// had. A registry error ends the load at that value and is reported in a
// message box.
void LoadSettings(TSettings& settings);

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
TSettingsSave SaveSettings(const TSettings& settings);

// The report of a failed settings save when the engine is started: caption
// "Error", stop icon, OK button.
void ReportSettingsNotSaved();
