#include "settings/Rgstry.h"

#include "about/VerInfo.h"
#include "engine/Startup.h"
#include "gui/AnsiText.h"
#include "gui/Dialogs.h"
#include "gui/ProgramPath.h"
#include "gui/Registry.h"
#include "maker.h"

namespace {

const wchar_t kMakerKey[] = L"Software\\Quillon";
const wchar_t kProductKey[] = L"Software\\Quillon\\Dorvane";
const wchar_t kSettingsKey[] = L"Software\\Quillon\\Dorvane\\Settings";

void SaveValues(TRegistry& registry, const TSettings& settings) {
  registry.OpenKey(kMakerKey, true);
  registry.WriteString(L"", kMakerSite);
  registry.CloseKey();

  registry.OpenKey(kProductKey, true);
  {
    TVersionInfo version;
    registry.WriteString(L"Version", AnsiToWide(version.GetVersionString(9)));
  }
  registry.WriteString(L"Path", ProgramFolder());
  registry.CloseKey();

  registry.OpenKey(kSettingsKey, true);
  SaveSettingsTo(registry, settings);
  registry.CloseKey();
}

}  // namespace

void LoadSettings(TSettings& settings) {
  try {
    TRegistry registry(HKEY_CURRENT_USER);
    // Reading needs no more: a key the user may read but not write loads.
    if (registry.OpenKeyReadOnly(kSettingsKey)) LoadSettingsFrom(registry, settings);
  } catch (const ERegistryException&) {
    ShowErrorBox(
        L"Unable to load data from registry.\r\rYou may have not permission to open registry objects.\rSettings will "
        L"not be loaded from registry.");
  }
}

TSettingsSave SaveSettings(const TSettings& settings) {
  TSettingsSave result;
  try {
    TRegistry registry(HKEY_CURRENT_USER);
    SaveValues(registry, settings);
  } catch (const ERegistryException& error) {
    result.Failure = L"Cannot save the settings to the registry key \"" +
                     (error.Key().empty() ? std::wstring(L"HKEY_CURRENT_USER\\") + kSettingsKey : error.Key()) +
                     L"\". " + error.Reason();
    return result;
  }
  result.StartupFailure = SetRunAtStartup(settings.RunAtStartup);
  return result;
}

void ReportSettingsNotSaved() {
  ShowErrorBox(
      L"Unable to save data to registry.\r\rYou may have not permission to create registry objects.\rSettings will "
      L"not be saved into registry.");
}
