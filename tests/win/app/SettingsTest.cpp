// The registry settings store and the settings panel on the main window.
#include <gtest/gtest.h>

#include "KeyAccess.h"
#include "WindowFixture.h"
#include "engine/EngineContract.h"
#include "gui/Application.h"
#include "gui/ProgramPath.h"
#include "gui/Registry.h"
#include "gui/StdCtrls.h"
#include "widgets/ColorBox.h"
#include "widgets/EffectLabel.h"
#include "widgets/FlatSpeedButton.h"
#include "widgets/GlyphButton.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/PictureBox.h"
#include "widgets/TrackBar.h"

namespace {

const wchar_t kSettings[] = L"Software\\Quillon\\Dorvane\\Settings";
const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void PutDword(const wchar_t* name, DWORD value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, name, REG_DWORD, &value, sizeof value);
}
void PutText(const wchar_t* name, const std::wstring& value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, name, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

struct Stored {
  DWORD type = REG_NONE;
  DWORD number = 0;
  std::wstring text;
  bool exists = false;
};

Stored Get(const wchar_t* key, const wchar_t* name) {
  Stored value;
  BYTE data[2048] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &value.type, data, &size) != ERROR_SUCCESS)
    return value;
  value.exists = true;
  if (value.type == REG_DWORD) value.number = *reinterpret_cast<DWORD*>(data);
  if (value.type == REG_SZ) value.text = reinterpret_cast<wchar_t*>(data);
  return value;
}

using SettingsStore = MainWindowFixture;

TEST_F(SettingsStore, FirstRunShowsTheDefaultsAndCloseWritesEveryValue) {
  {
    TBoxAnswerer none(L"Error", IDOK);
    Open();
    Pump();
    EXPECT_FALSE(none.Answered()) << "a missing settings key is no error";
  }
  EXPECT_TRUE(form_->chkRandomPointer->Checked());
  EXPECT_TRUE(form_->chkTimer->Checked());
  EXPECT_FALSE(form_->chkRunAtStartup->Checked());
  EXPECT_EQ(form_->trkTimer->Position(), 10);
  EXPECT_EQ(form_->Settings().TimerStyle, 1);
  EXPECT_TRUE(form_->rdoTimerMinute->Checked());
  EXPECT_EQ(form_->lblTimer->Caption(), L"10 min.");
  EXPECT_EQ(form_->cboStretchMode->ItemIndex(), 1);
  EXPECT_EQ(form_->cboBGColor->Selected(), 0u);
  EXPECT_TRUE(form_->btnStart->Enabled());
  EXPECT_FALSE(form_->btnStop->Enabled());
  EXPECT_FALSE(form_->lblNewSettings->Visible());

  CloseWindow();
  EXPECT_EQ(Get(L"Software\\Quillon", L"").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Get(L"Software\\Quillon\\Dorvane", L"Version").text, L"1.00");
  EXPECT_EQ(Get(L"Software\\Quillon\\Dorvane", L"Path").text, ProgramFolder());
  EXPECT_EQ(Get(kSettings, L"Settings File").text, ProgramFolder() + L"WPapers.ini");
  EXPECT_TRUE(Get(kSettings, L"Last Folder").exists);
  const std::pair<const wchar_t*, DWORD> numbers[] = {
      {L"HS1", 180}, {L"HS2", 277}, {L"HS3", 90}, {L"Random Pointers", 1}, {L"Random Screen Saver", 1},
      {L"Random Timer", 1}, {L"Timer Interval", 10}, {L"Timer Style", 1}, {L"Run at Startup", 0},
      {L"System Tray Icon", 1}, {L"Stretch Method", 1}, {L"Background Color", 0}};
  for (const auto& [name, expected] : numbers) {
    const Stored value = Get(kSettings, name);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << name;
    EXPECT_EQ(value.number, expected) << name;
  }
  EXPECT_FALSE(Get(kRun, L"Dorvane").exists);
}

TEST_F(SettingsStore, StoredValuesComeBackWithinTheControlsLimits) {
  PutDword(L"Timer Interval", 0);
  PutDword(L"Random Pointers", 5);
  PutDword(L"HS3", 10);
  PutDword(L"Timer Style", 7);
  PutDword(L"Stretch Method", 0);
  PutDword(L"Background Color", 0xFF00000F);  // a system colour
  Open();
  EXPECT_EQ(form_->trkTimer->Position(), 1);
  EXPECT_TRUE(form_->chkRandomPointer->Checked());
  // Never below its minimum; as the last column it also fills what is left.
  EXPECT_GE(form_->lstFiles->ColumnWidth(2), 80);
  EXPECT_TRUE(form_->rdoTimerMinute->Checked());
  EXPECT_EQ(form_->Settings().TimerStyle, 7) << "an unknown unit shows as minute and stays";
  EXPECT_EQ(form_->lblTimer->Caption(), L"1 ");
  EXPECT_FALSE(form_->lblBGColor->Enabled());
  EXPECT_FALSE(form_->cboBGColor->Enabled());
  EXPECT_EQ(form_->cboBGColor->Selected(), 0xFF00000Fu);
  CloseWindow();
  EXPECT_EQ(Get(kSettings, L"Timer Interval").number, 1u);
  EXPECT_EQ(Get(kSettings, L"Random Pointers").number, 1u);
  EXPECT_EQ(Get(kSettings, L"Background Color").number, 0xFF00000Fu);
  EXPECT_EQ(Get(kSettings, L"Timer Style").number, 7u);

  PutDword(L"Timer Interval", 500);
  Open();
  EXPECT_EQ(form_->trkTimer->Position(), 60);
}

TEST_F(SettingsStore, TextWhereANumberBelongsEndsTheLoadThere) {
  PutText(L"Last Folder", L"D:\\Walls\\");
  PutDword(L"HS1", 200);
  PutDword(L"Random Pointers", 0);
  PutDword(L"Random Screen Saver", 0);
  PutText(L"Random Timer", L"yes");
  PutDword(L"Timer Interval", 30);
  TBoxAnswerer box(L"Error", IDOK);
  Open();
  EXPECT_EQ(box.Text(),
            L"Unable to load data from registry.\r\rYou may have not permission to open registry objects.\r"
            L"Settings will not be loaded from registry.");
  EXPECT_EQ(form_->lstFiles->ColumnWidth(0), 200);
  EXPECT_FALSE(form_->chkRandomPointer->Checked());
  EXPECT_FALSE(form_->chkRandomSSaver->Checked());
  EXPECT_FALSE(form_->btnPointerSettings->Enabled());
  EXPECT_EQ(form_->trkTimer->Position(), 10) << "values after the failing one are not loaded";
}

TEST_F(SettingsStore, AFailedSaveAtCloseCanStayOpenAsItWasAndSaveLater) {
  Open();
  form_->chkRunAtStartup->SetChecked(true);
  {
    TKeyAccess readOnly(kSettings, KEY_READ);
    TBoxAnswerer stayOpen(L"Ombrelle", IDCANCEL);
    CloseWindow();
    EXPECT_TRUE(stayOpen.Answered());
  }
  ASSERT_NE(form_->Handle(), nullptr) << "the window stays open";
  EXPECT_NE(form_->imgDorvane->Graphic(), nullptr) << "the logo keeps its picture";
  EXPECT_FALSE(Get(kRun, L"Dorvane").exists) << "the start-up entry is left alone";
  CloseWindow();
  EXPECT_EQ(form_->Handle(), nullptr);
  EXPECT_EQ(Get(kSettings, L"Run at Startup").number, 1u);
  EXPECT_EQ(Get(kRun, L"Dorvane").text, ProgramFolder() + L"REVorude.exe -startzpe");
}

TEST_F(SettingsStore, AKeyThatMayBeReadButNotWrittenLoads) {
  PutDword(L"Timer Interval", 42);
  TKeyAccess readOnly(kSettings, KEY_READ);
  TBoxAnswerer none(L"Error", IDOK);
  Open();
  Pump();
  EXPECT_FALSE(none.Answered());
  EXPECT_EQ(form_->trkTimer->Position(), 42);
}

TEST_F(SettingsStore, AStartupEntryThatCannotBeRemovedIsReportedAndTheWindowCloses) {
  const std::wstring old = L"D:\\Old\\REVorude.exe -startzpe";
  RegSetKeyValueW(HKEY_CURRENT_USER, kRun, L"Dorvane", REG_SZ, old.c_str(),
                  static_cast<DWORD>((old.size() + 1) * sizeof(wchar_t)));
  Open();  // "Run at Windows startup" is off
  TKeyAccess readOnly(kRun, KEY_READ);
  if (!readOnly.Enforced()) GTEST_SKIP() << "this system does not enforce registry key permissions";
  TBoxAnswerer box(L"Error", IDOK);
  CloseWindow();
  EXPECT_EQ(box.Text(),
            std::wstring(L"Unable to update the start-up entry \"Dorvane\" in\rHKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                L"CurrentVersion\\Run.\r\r") + SystemErrorMessage(ERROR_ACCESS_DENIED) +
                L"\r\rThe engine will still start when you log on.");
  EXPECT_EQ(form_->Handle(), nullptr) << "the settings and the list are saved: the window closes";
  EXPECT_EQ(Get(kSettings, L"Run at Startup").number, 0u);
  EXPECT_EQ(Get(kRun, L"Dorvane").text, old);

  // A Run key that cannot even be read shows no entry to remove: no word.
  Open();
  TKeyAccess noAccess(kRun, 0);
  TBoxAnswerer none(L"Error", IDOK);
  CloseWindow();
  EXPECT_FALSE(none.Answered());
  EXPECT_EQ(form_->Handle(), nullptr);
}

TEST_F(SettingsStore, StartupEntryFollowsTheCheckBoxAndListFileIgnoresTheCurrentFolder) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  SetCurrentDirectoryW(temp);
  Open();
  form_->chkRunAtStartup->SetChecked(true);
  CloseWindow();
  EXPECT_EQ(Get(kRun, L"Dorvane").text, ProgramFolder() + L"REVorude.exe -startzpe");
  EXPECT_EQ(Get(kSettings, L"Settings File").text, ProgramFolder() + L"WPapers.ini");
  EXPECT_NE(GetFileAttributesW(ListFile().c_str()), INVALID_FILE_ATTRIBUTES);

  Open();
  EXPECT_TRUE(form_->chkRunAtStartup->Checked());
  form_->chkRunAtStartup->SetChecked(false);
  CloseWindow();
  EXPECT_FALSE(Get(kRun, L"Dorvane").exists);
  EXPECT_EQ(Get(kSettings, L"Run at Startup").number, 0u);
  SetCurrentDirectoryW(ProgramFolder().c_str());
}

using SettingsPanel = MainWindowFixture;

TEST_F(SettingsPanel, TimerLabelShowsNumberAndUnit) {
  Open();
  form_->Settings().TimerStyle = 2;
  form_->trkTimer->SetPosition(1);
  EXPECT_EQ(form_->lblTimer->Caption(), L"1 hour");
  form_->trkTimer->SetPosition(2);
  EXPECT_EQ(form_->lblTimer->Caption(), L"2 hours");
  form_->Settings().TimerStyle = 0;
  form_->trkTimer->SetPosition(1);
  EXPECT_EQ(form_->lblTimer->Caption(), L"1 sec.");
  form_->trkTimer->SetPosition(45);
  EXPECT_EQ(form_->lblTimer->Caption(), L"45 sec.");
}

TEST_F(SettingsPanel, DependentControlsFollowTheirCheckBoxesAndList) {
  Open();
  form_->chkRandomPointer->SetChecked(false);
  EXPECT_FALSE(form_->btnPointerSettings->Enabled());
  form_->chkRandomSSaver->SetChecked(false);
  EXPECT_FALSE(form_->btnSSaverSettings->Enabled());
  form_->chkTimer->SetChecked(false);
  EXPECT_FALSE(form_->trkTimer->Enabled());
  EXPECT_FALSE(form_->lblTimer->Enabled());
  form_->chkTimer->SetChecked(true);
  EXPECT_TRUE(form_->lblTimer->Enabled());

  form_->cboStretchMode->SetItemIndex(0);
  form_->cboStretchMode->OnChange(*form_->cboStretchMode);
  EXPECT_FALSE(form_->lblBGColor->Enabled());
  EXPECT_FALSE(form_->cboBGColor->Enabled());
  form_->cboStretchMode->SetItemIndex(1);
  form_->cboStretchMode->OnChange(*form_->cboStretchMode);
  EXPECT_TRUE(form_->cboBGColor->Enabled());
}

TEST_F(SettingsPanel, UnitChoiceOpensOnTheLabelAndClosesOnTheNextLeftPress) {
  Open();
  form_->lblTimer->OnClick(*form_->lblTimer);
  EXPECT_TRUE(form_->pnlTimerStyle->Visible());
  EXPECT_FALSE(form_->chkTimer->Enabled());
  EXPECT_FALSE(form_->lblTimer->Visible());

  // A press on the title bar or frame leaves it open.
  MSG frame{form_->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0, 0, {}};
  bool ignored = false;
  form_->SettingsPanel().FilterMessage(frame, ignored);
  EXPECT_TRUE(form_->pnlTimerStyle->Visible());

  // A left press anywhere in a window of ours closes it; the unit stays.
  MSG press{form_->lstFiles->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {}};
  bool handled = false;
  form_->SettingsPanel().FilterMessage(press, handled);
  EXPECT_FALSE(handled) << "the press still reaches its target";
  EXPECT_FALSE(form_->pnlTimerStyle->Visible());
  EXPECT_TRUE(form_->chkTimer->Enabled());
  EXPECT_EQ(form_->Settings().TimerStyle, 1);

  // A press on Hour picks the unit.
  form_->lblTimer->OnClick(*form_->lblTimer);
  SendMessageW(form_->rdoTimerHour->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(form_->rdoTimerHour->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(form_->Settings().TimerStyle, 2);
  EXPECT_EQ(form_->lblTimer->Caption(), L"10 hours");

  // A right press on Second picks seconds and keeps the choice open.
  form_->lblTimer->OnClick(*form_->lblTimer);
  SendMessageW(form_->rdoTimerSecond->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(form_->Settings().TimerStyle, 0);
  EXPECT_TRUE(form_->pnlTimerStyle->Visible());
  // A press on the bare panel changes nothing.
  SendMessageW(form_->pnlTimerStyle->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 8));
  EXPECT_EQ(form_->Settings().TimerStyle, 0);
}

TEST_F(SettingsPanel, UnitChoiceWorksFromTheKeyboard) {
  Open();
  form_->lblTimer->OnClick(*form_->lblTimer);
  Pump();
  ASSERT_EQ(GetFocus(), form_->rdoTimerMinute->Handle()) << "the checked unit takes the focus";
  MSG down{form_->rdoTimerMinute->Handle(), WM_KEYDOWN, VK_RIGHT, 0, 0, {}};
  bool moved = false;
  form_->SettingsPanel().FilterMessage(down, moved);
  EXPECT_TRUE(moved);
  EXPECT_EQ(GetFocus(), form_->rdoTimerHour->Handle());
  EXPECT_EQ(form_->Settings().TimerStyle, 2);
  EXPECT_TRUE(form_->rdoTimerHour->Checked());
  EXPECT_EQ(form_->lblTimer->Caption(), L"10 hours");

  // Escape closes it with the unit it had when it opened.
  MSG escape{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  bool handled = false;
  form_->SettingsPanel().FilterMessage(escape, handled);
  EXPECT_TRUE(handled);
  EXPECT_FALSE(form_->pnlTimerStyle->Visible());
  EXPECT_EQ(form_->Settings().TimerStyle, 1);
  EXPECT_TRUE(form_->rdoTimerMinute->Checked());
  EXPECT_EQ(form_->lblTimer->Caption(), L"10 min.");

  // Focus moving to another control closes the choice too.
  form_->lblTimer->OnClick(*form_->lblTimer);
  Pump();
  form_->chkRunAtStartup->SetFocus();
  Pump();
  form_->SettingsPanel().ActiveControlChanged(GetFocus());
  EXPECT_FALSE(form_->pnlTimerStyle->Visible());
}

TEST_F(SettingsPanel, StretchMethodHelpShowsBothMethods) {
  Open();
  TBoxAnswerer box(L"Information", IDOK);
  form_->btnStretchModeHelp->OnClick(*form_->btnStretchModeHelp);
  EXPECT_EQ(box.Text(),
            L"Default Method:\rThe wallpaper will be stretched with the system default method. The system desktop "
            L"color will be used for the background of the image.\r\rDorvane Method:\rThe aspect ratio of the "
            L"stretched wallpaper will not be changed. The background of the image will be filled by the specified "
            L"color.");
}

using EngineState = MainWindowFixture;

TEST_F(EngineState, StateMessageSetsTheButtonsAndTheHint) {
  Open();
  SendMessageW(form_->Handle(), WM_ENGINE_STATE, 1, 0);
  EXPECT_FALSE(form_->btnStart->Enabled());
  EXPECT_TRUE(form_->btnStop->Enabled());
  EXPECT_TRUE(form_->lblNewSettings->Visible());
  SendMessageW(form_->Handle(), WM_ENGINE_STATE, 2, 0);
  EXPECT_TRUE(form_->btnStart->Enabled());
  EXPECT_FALSE(form_->btnStop->Enabled());
  EXPECT_FALSE(form_->lblNewSettings->Visible());
}

}  // namespace
