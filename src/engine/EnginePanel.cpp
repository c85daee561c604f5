#include "engine/EnginePanel.h"

#include <windows.h>

#include "engine/EngineControl.h"
#include "gui/Control.h"

TEnginePanel::TEnginePanel(const TEngineControls& controls, std::function<void()> saveFirst)
    : c_(controls), saveFirst_(std::move(saveFirst)) {
  c_.Start->OnClick = [this](TControl&) {
    if (!EngineInstalled()) return ReportEngineMissing();
    if (saveFirst_) saveFirst_();
    StartEngine();
  };
  c_.Stop->OnClick = [](TControl&) {
    if (!EngineInstalled()) return ReportEngineMissing();
    StopEngine();
  };
}

void TEnginePanel::ShowState(bool running) {
  TControl* now = running ? c_.Stop : c_.Start;
  TControl* before = running ? c_.Start : c_.Stop;
  now->SetEnabled(true);
  // A button that goes grey while it has the focus hands it to the other
  // one, so that the keyboard keeps working.
  if (GetFocus() == before->Handle()) now->SetFocus();
  before->SetEnabled(false);
  c_.NewSettings->SetVisible(running);
}
