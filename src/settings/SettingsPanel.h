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
  // choice; in the open choice the arrow keys and Space choose a unit and
  // Escape closes it without a change.
  void FilterMessage(MSG& msg, bool& handled);
  // The focus moved: leaving the unit buttons closes their choice.
  void ActiveControlChanged(HWND current);
  void ShowTimerStyle(bool show);

 private:
  void RandomPointerClick();
  void RandomSSaverClick();
  void TimerClick();
  void TimerChange();
  void TimerLabelClick();
  void TimerUnitPressed(TControl& sender);
  void StretchModeChange();
  TRadioButton* UnitButton(int style) const;

  TSettingsControls c_;
  TSettings& settings_;
  // Where the focus was when the unit choice opened.
  HWND unitChoiceReturn_ = nullptr;
};
