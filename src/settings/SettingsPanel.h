#pragma once
// The settings panel of the main window: the check boxes, the timer with its
// pop-up choice of unit, the stretch method and the background colour. It
// shows a TSettings in its controls and collects them back into it; which
// control enables which follows the values at once.
#include <windows.h>

#include "settings/Settings.h"

class TControl;
class TCheckBox;
class TRadioButton;
class TComboBox;
class TLabel;
class TPanel;
class TTrackBar;
class TColorBox;
enum class TMouseButton;

// The panel's controls, made and owned by the window.
struct TSettingsControls {
  TCheckBox* RandomPointer;
  TControl* PointerSettings;
  TCheckBox* RandomSSaver;
  TControl* SSaverSettings;
  TCheckBox* Timer;
  TPanel* TimerStyle;  // the unit choice, over the timer check box
  TRadioButton* TimerSecond;
  TRadioButton* TimerMinute;
  TRadioButton* TimerHour;
  TLabel* TimerLabel;
  TTrackBar* TimerTrack;
  TCheckBox* RunAtStartup;
  TCheckBox* TrayIcon;
  TComboBox* StretchMode;
  TControl* StretchModeHelp;
  TLabel* BGColorLabel;
  TColorBox* BGColor;
};

class TSettingsPanel {
 public:
  // Wires the controls; controls and settings outlive the panel.
  TSettingsPanel(const TSettingsControls& controls, TSettings& settings);
  TSettingsPanel(const TSettingsPanel&) = delete;
  TSettingsPanel& operator=(const TSettingsPanel&) = delete;

  // Puts the values into the controls; dependent controls follow.
  void Show();
  // Takes the values back from the controls.
  void Collect();

  // The application's message hook: a left press anywhere closes the unit
  // choice. On the timer's track bar Alt+Down and F4 open it, with the focus
  // on the unit in use; in the open choice the arrow keys choose a unit,
  // Enter, Space, F4 and Alt+Up or Alt+Down close it keeping the unit, and
  // Escape closes it with the unit it had when it opened.
  void FilterMessage(MSG& msg, bool& handled);
  // The focus moved: leaving the unit buttons closes their choice.
  void ActiveControlChanged(HWND current);
  void ShowTimerStyle(bool show);

 private:
  void RandomPointerClick();
  void RandomSSaverClick();
  void TimerClick();
  void TimerChange();
  // Opens the unit choice with the focus on the unit in use.
  void OpenTimerStyle();
  bool UnitChoiceKey(const MSG& msg);
  void TimerUnitPressed(TControl& sender);
  void StretchModeChange();
  TRadioButton* UnitButton(int style) const;

  TSettingsControls c_;
  TSettings& settings_;
  // Where the focus was when the unit choice opened, and the unit then.
  HWND unitChoiceReturn_ = nullptr;
  int unitWhenOpened_ = 1;
};
