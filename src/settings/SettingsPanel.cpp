#include "settings/SettingsPanel.h"

#include "engine/CPApplet.h"
#include "gui/Application.h"
#include "gui/Dialogs.h"
#include "gui/StdCtrls.h"
#include "widgets/ColorBox.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/TrackBar.h"

TSettingsPanel::TSettingsPanel(const TSettingsControls& controls, TSettings& settings)
    : c_(controls), settings_(settings) {
  c_.RandomPointer->OnClick = [this](TControl&) { RandomPointerClick(); };
  c_.RandomSSaver->OnClick = [this](TControl&) { RandomSSaverClick(); };
  c_.PointerSettings->OnClick = [](TControl&) {
    RunControlPanelApplet(Application().Handle(), TControlPanelPage::cppMousePointers);
  };
  c_.SSaverSettings->OnClick = [](TControl&) {
    RunControlPanelApplet(Application().Handle(), TControlPanelPage::cppScreenSaver);
  };
  c_.Timer->OnClick = [this](TControl&) { TimerClick(); };
  c_.TimerTrack->OnChange = [this](TTrackBar&) { TimerChange(); };
  c_.TimerLabel->OnClick = [this](TControl&) { OpenTimerStyle(); };
  for (TControl* unit : std::initializer_list<TControl*>{c_.TimerStyle, c_.TimerSecond, c_.TimerMinute, c_.TimerHour})
    unit->OnMouseDown = [this](TControl& sender, TMouseButton, int, int) { TimerUnitPressed(sender); };
  c_.StretchMode->OnChange = [this](TComboBox&) { StretchModeChange(); };
  c_.StretchModeHelp->OnClick = [](TControl&) {
    ShowInfoBox(
        L"Default Method:\rThe wallpaper will be stretched with the system default method. The system desktop "
        L"color will be used for the background of the image.\r\rDorvane Method:\rThe aspect ratio of the "
        L"stretched wallpaper will not be changed. The background of the image will be filled by the specified "
        L"color.");
  };
}

void TSettingsPanel::Show() {
  c_.RandomPointer->SetChecked(settings_.RandomPointers);
  c_.RandomSSaver->SetChecked(settings_.RandomScreenSaver);
  c_.Timer->SetChecked(settings_.RandomTimer);
  c_.TimerTrack->SetPosition(settings_.TimerInterval);
  c_.RunAtStartup->SetChecked(settings_.RunAtStartup);
  c_.TrayIcon->SetChecked(settings_.TrayIcon);
  c_.StretchMode->SetItemIndex(settings_.StretchMethod);
  c_.BGColor->SetSelected(settings_.BackgroundColor);
  // The unit button for the unit; the unit itself stays.
  UnitButton(settings_.TimerStyle)->SetChecked(true);
  RandomPointerClick();
  RandomSSaverClick();
  TimerClick();
  TimerChange();
  StretchModeChange();
}

void TSettingsPanel::Collect() {
  settings_.RandomPointers = c_.RandomPointer->Checked();
  settings_.RandomScreenSaver = c_.RandomSSaver->Checked();
  settings_.RandomTimer = c_.Timer->Checked();
  settings_.TimerInterval = c_.TimerTrack->Position();
  settings_.RunAtStartup = c_.RunAtStartup->Checked();
  settings_.TrayIcon = c_.TrayIcon->Checked();
  settings_.StretchMethod = c_.StretchMode->ItemIndex();
  settings_.BackgroundColor = c_.BGColor->Selected();
}

TRadioButton* TSettingsPanel::UnitButton(int style) const {
  return style == 0 ? c_.TimerSecond : style == 2 ? c_.TimerHour : c_.TimerMinute;
}

void TSettingsPanel::RandomPointerClick() { c_.PointerSettings->SetEnabled(c_.RandomPointer->Checked()); }

void TSettingsPanel::RandomSSaverClick() { c_.SSaverSettings->SetEnabled(c_.RandomSSaver->Checked()); }

void TSettingsPanel::TimerClick() {
  c_.TimerTrack->SetEnabled(c_.Timer->Checked());
  c_.TimerLabel->SetEnabled(c_.Timer->Checked());
}

void TSettingsPanel::TimerChange() {
  const int position = c_.TimerTrack->Position();
  const wchar_t* unit = L"";
  switch (settings_.TimerStyle) {
    case 0:
      unit = L"sec.";
      break;
    case 1:
      unit = L"min.";
      break;
    case 2:
      unit = position == 1 ? L"hour" : L"hours";
      break;
    default:
      break;
  }
  const std::wstring text = std::to_wstring(position) + L" " + unit;
  c_.TimerLabel->SetCaption(text);
  // A screen reader reads the slider's value as the label shows it.
  c_.TimerTrack->SetValueText(text);
}

void TSettingsPanel::OpenTimerStyle() {
  ShowTimerStyle(true);
  // The checked unit takes the focus, so the keys of the choice work also
  // when the mouse opened it.
  for (TRadioButton* button : {c_.TimerSecond, c_.TimerMinute, c_.TimerHour})
    if (button->Checked()) button->SetFocus();
}

void TSettingsPanel::ShowTimerStyle(bool show) {
  if (show == c_.TimerStyle->Visible()) return;
  const HWND panel = c_.TimerStyle->Handle();
  if (show) {
    unitChoiceReturn_ = GetFocus();
    unitWhenOpened_ = settings_.TimerStyle;
  }
  c_.Timer->SetEnabled(!show);
  c_.TimerLabel->SetVisible(!show);
  if (show) {
    // Created after the controls it covers, the choice would lie under them.
    SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  c_.TimerStyle->SetVisible(show);
  if (show) {
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return;
  }
  // Closed from inside (a unit chosen, Escape): the focus goes back to
  // where it was before the choice opened.
  const HWND focus = GetFocus();
  const HWND back = unitChoiceReturn_;
  unitChoiceReturn_ = nullptr;
  if ((!focus || focus == panel || IsChild(panel, focus)) && back && IsWindow(back) && IsWindowEnabled(back) &&
      IsWindowVisible(back))
    ::SetFocus(back);
}

void TSettingsPanel::TimerUnitPressed(TControl& sender) {
  auto* button = dynamic_cast<TRadioButton*>(&sender);
  if (!button) return;  // a press on the bare panel changes nothing
  button->SetChecked(true);
  settings_.TimerStyle = button == c_.TimerSecond ? 0 : button == c_.TimerHour ? 2 : 1;
  TimerChange();
}

void TSettingsPanel::FilterMessage(MSG& msg, bool& handled) {
  if (!c_.TimerStyle->Visible()) {
    // The track bar opens the choice as a drop-down list opens.
    const bool opens =
        (msg.message == WM_KEYDOWN && msg.wParam == VK_F4) || (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_DOWN);
    if (opens && msg.hwnd == c_.TimerTrack->Handle() && c_.TimerTrack->Enabled()) {
      OpenTimerStyle();
      handled = true;
    }
    return;
  }
  if (msg.message == WM_LBUTTONDOWN) ShowTimerStyle(false);
  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && UnitChoiceKey(msg)) handled = true;
}

bool TSettingsPanel::UnitChoiceKey(const MSG& msg) {
  const WPARAM key = msg.wParam;
  if (msg.message == WM_SYSKEYDOWN) {
    if (key != VK_UP && key != VK_DOWN) return false;
    ShowTimerStyle(false);
    return true;
  }
  if (key == VK_ESCAPE) {
    if (settings_.TimerStyle != unitWhenOpened_) {
      UnitButton(unitWhenOpened_)->SetChecked(true);
      settings_.TimerStyle = unitWhenOpened_;
      TimerChange();
    }
    ShowTimerStyle(false);
    return true;
  }
  if (key == VK_RETURN || key == VK_F4) {
    ShowTimerStyle(false);
    return true;
  }
  // The arrow keys move to the previous or next unit and choose it, Space
  // chooses the focused one and closes the choice: as presses on the unit.
  TRadioButton* units[] = {c_.TimerSecond, c_.TimerMinute, c_.TimerHour};
  int focused = -1;
  for (int i = 0; i < 3; ++i)
    if (units[i]->Handle() == GetFocus()) focused = i;
  if (focused < 0) return false;
  int chosen = focused;
  if (key == VK_LEFT || key == VK_UP)
    chosen = (focused + 2) % 3;
  else if (key == VK_RIGHT || key == VK_DOWN)
    chosen = (focused + 1) % 3;
  else if (key != VK_SPACE)
    return false;
  units[chosen]->SetFocus();
  TimerUnitPressed(*units[chosen]);
  if (key == VK_SPACE) ShowTimerStyle(false);
  return true;
}

void TSettingsPanel::ActiveControlChanged(HWND current) {
  if (!c_.TimerStyle->Visible()) return;
  if (current == c_.TimerSecond->Handle() || current == c_.TimerMinute->Handle() || current == c_.TimerHour->Handle())
    return;
  ShowTimerStyle(false);
}

void TSettingsPanel::StretchModeChange() {
  c_.BGColorLabel->SetEnabled(c_.StretchMode->ItemIndex() == 1);
  c_.BGColor->SetEnabled(c_.BGColorLabel->Enabled());
}
