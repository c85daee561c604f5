#include "settings/Rgstry.h"

#include "about/VerInfo.h"
#include "app/MainWindow.h"
#include "engine/Startup.h"
#include "gui/AnsiText.h"
#include "gui/Dialogs.h"
#include "gui/OpenPictureDialog.h"
#include "gui/ProgramPath.h"
#include "gui/Registry.h"
#include "gui/StdCtrls.h"
#include "maker.h"
#include "widgets/ColorBox.h"
#include "widgets/TrackBar.h"

namespace {

const wchar_t kMakerKey[] = L"Software\\Quillon";
const wchar_t kProductKey[] = L"Software\\Quillon\\Dorvane";
const wchar_t kSettingsKey[] = L"Software\\Quillon\\Dorvane\\Settings";

std::wstring WidthValueName(int column) { return L"HS" + std::to_wstring(column + 1); }

void LoadValues(TRegistry& registry, TfrmDorvane& form) {
  // Reading needs no more: a key the user may read but not write loads.
  if (!registry.OpenKeyReadOnly(kSettingsKey)) return;
  if (registry.ValueExists(L"Last Folder")) form.dlgAddFile->InitialDir = registry.ReadString(L"Last Folder");
  for (int column = 0; column < form.lstFiles->ColumnCount(); ++column)
    if (registry.ValueExists(WidthValueName(column)))
      form.lstFiles->SetColumnWidth(column, registry.ReadInteger(WidthValueName(column)));
  if (registry.ValueExists(L"Random Pointers"))
    form.chkRandomPointer->SetChecked(registry.ReadBool(L"Random Pointers"));
  if (registry.ValueExists(L"Random Screen Saver"))
    form.chkRandomSSaver->SetChecked(registry.ReadBool(L"Random Screen Saver"));
  if (registry.ValueExists(L"Random Timer")) form.chkTimer->SetChecked(registry.ReadBool(L"Random Timer"));
  if (registry.ValueExists(L"Timer Interval")) form.trkTimer->SetPosition(registry.ReadInteger(L"Timer Interval"));
  if (registry.ValueExists(L"Timer Style")) {
    // A unit outside second, minute and hour comes back as minute, so the
    // window never shows a unit that no button stands for.
    const int style = registry.ReadInteger(L"Timer Style");
    form.TimerStyle = style >= 0 && style <= 2 ? style : 1;
  }
  if (registry.ValueExists(L"Run at Startup")) form.chkRunAtStartup->SetChecked(registry.ReadBool(L"Run at Startup"));
  if (registry.ValueExists(L"System Tray Icon")) form.chkTrayIcon->SetChecked(registry.ReadBool(L"System Tray Icon"));
  if (registry.ValueExists(L"Stretch Method")) {
    // Likewise a method other than the two the box offers loads as the
    // window's own choice, "Dorvane Method".
    const int method = registry.ReadInteger(L"Stretch Method");
    form.cboStretchMode->SetItemIndex(method == 0 || method == 1 ? method : 1);
  }
  if (registry.ValueExists(L"Background Color"))
    form.cboBGColor->SetSelected(static_cast<TColor>(registry.ReadInteger(L"Background Color")));
}

void SaveValues(TRegistry& registry, TfrmDorvane& form) {
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
  registry.WriteString(L"Last Folder", form.dlgAddFile->InitialDir);
  for (int column = 0; column < form.lstFiles->ColumnCount(); ++column)
    registry.WriteInteger(WidthValueName(column), form.lstFiles->ColumnWidth(column));
  registry.WriteString(L"Settings File", form.SettingsFile);
  registry.WriteBool(L"Random Pointers", form.chkRandomPointer->Checked());
  registry.WriteBool(L"Random Screen Saver", form.chkRandomSSaver->Checked());
  registry.WriteBool(L"Random Timer", form.chkTimer->Checked());
  registry.WriteInteger(L"Timer Interval", form.trkTimer->Position());
  registry.WriteInteger(L"Timer Style", form.TimerStyle);
  registry.WriteBool(L"Run at Startup", form.chkRunAtStartup->Checked());
  registry.WriteBool(L"System Tray Icon", form.chkTrayIcon->Checked());
  registry.WriteInteger(L"Stretch Method", form.cboStretchMode->ItemIndex());
  registry.WriteInteger(L"Background Color", static_cast<int>(form.cboBGColor->Selected()));
  registry.CloseKey();
}

}  // namespace

void LoadSettings(TfrmDorvane& form) {
  try {
    TRegistry registry(HKEY_CURRENT_USER);
    LoadValues(registry, form);
  } catch (const ERegistryException&) {
    ShowErrorBox(
        L"Unable to load data from registry.\r\rYou may have not permission to open registry objects.\rSettings will "
        L"not be loaded from registry.");
  }
}

TSettingsSave SaveSettings(TfrmDorvane& form) {
  TSettingsSave result;
  try {
    TRegistry registry(HKEY_CURRENT_USER);
    SaveValues(registry, form);
  } catch (const ERegistryException& error) {
    result.Failure = L"Cannot save the settings to the registry key \"" +
                     (error.Key().empty() ? std::wstring(L"HKEY_CURRENT_USER\\") + kSettingsKey : error.Key()) +
                     L"\". " + error.Reason();
    return result;
  }
  result.StartupFailure = SetRunAtStartup(form.chkRunAtStartup->Checked());
  return result;
}

void ReportSettingsNotSaved() {
  ShowErrorBox(
      L"Unable to save data to registry.\r\rYou may have not permission to create registry objects.\rSettings will "
      L"not be saved into registry.");
}
