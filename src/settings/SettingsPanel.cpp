// The settings panel of the main window: which control enables which, the
// pop-up choice of the timer unit, the timer label and the stretch method
// help.
#include "app/MainWindow.h"
#include "engine/CPApplet.h"
#include "gui/Application.h"
#include "gui/Dialogs.h"
#include "gui/StdCtrls.h"
#include "widgets/ColorBox.h"
#include "widgets/FlatSpeedButton.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/TrackBar.h"

void TfrmDorvane::chkRandomPointerClick() { btnPointerSettings->SetEnabled(chkRandomPointer->Checked()); }

void TfrmDorvane::chkRandomSSaverClick() { btnSSaverSettings->SetEnabled(chkRandomSSaver->Checked()); }

void TfrmDorvane::btnPointerSettingsClick() {
  RunControlPanelApplet(Application().Handle(), TControlPanelPage::cppMousePointers);
}

void TfrmDorvane::btnSSaverSettingsClick() {
  RunControlPanelApplet(Application().Handle(), TControlPanelPage::cppScreenSaver);
}

void TfrmDorvane::chkTimerClick() {
  trkTimer->SetEnabled(chkTimer->Checked());
  lblTimer->SetEnabled(chkTimer->Checked());
}

void TfrmDorvane::trkTimerChange() {
  const int position = trkTimer->Position();
  const wchar_t* unit = L"";
  switch (TimerStyle) {
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
  lblTimer->SetCaption(std::to_wstring(position) + L" " + unit);
}

void TfrmDorvane::lblTimerClick() {
  ShowTimerStyle(true);
  // The checked unit takes the focus, so the arrow keys, Space and Escape
  // work in the open choice as well.
  for (TRadioButton* button : {rdoTimerSecond, rdoTimerMinute, rdoTimerHour})
    if (button->Checked()) button->SetFocus();
}


void TfrmDorvane::ShowTimerStyle(bool show) {
  if (show == pnlTimerStyle->Visible()) return;
  const HWND panel = pnlTimerStyle->Handle();
  if (show) unitChoiceReturn_ = GetFocus();
  chkTimer->SetEnabled(!show);
  lblTimer->SetVisible(!show);
  if (show) {
    // Created after the controls it covers, the choice would lie under them.
    SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  pnlTimerStyle->SetVisible(show);
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

void TfrmDorvane::rdoTimerMouseDown(TControl& sender, TMouseButton) {
  auto* button = dynamic_cast<TRadioButton*>(&sender);
  if (!button) return;  // a press on the bare panel changes nothing
  button->SetChecked(true);
  TimerStyle = button == rdoTimerSecond ? 0 : button == rdoTimerHour ? 2 : 1;
  trkTimerChange();
}

void TfrmDorvane::ApplicationEventsMessage(MSG& msg, bool& handled) {
  // A left press in the client area of any of our windows closes the unit
  // choice; the press still goes on to its target.
  if (!pnlTimerStyle || !pnlTimerStyle->Visible()) return;
  if (msg.message == WM_LBUTTONDOWN) ShowTimerStyle(false);
  if (msg.message != WM_KEYDOWN) return;
  if (msg.wParam == VK_ESCAPE) {
    // Escape closes the choice without a change.
    ShowTimerStyle(false);
    handled = true;
    return;
  }
  // The arrow keys move to the previous or next unit and choose it, Space
  // chooses the focused one: as a press on that unit would.
  TRadioButton* units[] = {rdoTimerSecond, rdoTimerMinute, rdoTimerHour};
  int focused = -1;
  for (int i = 0; i < 3; ++i)
    if (units[i]->Handle() == GetFocus()) focused = i;
  if (focused < 0) return;
  int chosen = focused;
  if (msg.wParam == VK_LEFT || msg.wParam == VK_UP)
    chosen = (focused + 2) % 3;
  else if (msg.wParam == VK_RIGHT || msg.wParam == VK_DOWN)
    chosen = (focused + 1) % 3;
  else if (msg.wParam != VK_SPACE)
    return;
  units[chosen]->SetFocus();
  rdoTimerMouseDown(*units[chosen], TMouseButton::Left);
  handled = true;
}

void TfrmDorvane::ActiveControlChanged(HWND /*previous*/, HWND current) {
  if (!pnlTimerStyle || !pnlTimerStyle->Visible()) return;
  if (current == rdoTimerSecond->Handle() || current == rdoTimerMinute->Handle() || current == rdoTimerHour->Handle())
    return;
  ShowTimerStyle(false);
}

void TfrmDorvane::cboStretchModeChange() {
  lblBGColor->SetEnabled(cboStretchMode->ItemIndex() == 1);
  cboBGColor->SetEnabled(lblBGColor->Enabled());
}

void TfrmDorvane::btnStretchModeHelpClick() {
  ShowInfoBox(
      L"Default Method:\rThe wallpaper will be stretched with the system default method. The system desktop color "
      L"will be used for the background of the image.\r\rDorvane Method:\rThe aspect ratio of the stretched wallpaper "
      L"will not be changed. The background of the image will be filled by the specified color.");
}
