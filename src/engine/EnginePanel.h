#pragma once
// The engine panel of the main window: Start and Stop, and the hint that new
// settings take effect after a restart of the engine.
#include <functional>

class TControl;

// The panel's controls, made and owned by the window.
struct TEngineControls {
  TControl* Start;
  TControl* Stop;
  TControl* NewSettings;  // the restart hint
};

class TEnginePanel {
 public:
  // saveFirst runs before the engine starts; an exception from it stops the
  // start. Controls outlive the panel.
  TEnginePanel(const TEngineControls& controls, std::function<void()> saveFirst);
  TEnginePanel(const TEnginePanel&) = delete;
  TEnginePanel& operator=(const TEnginePanel&) = delete;

  // Start is enabled while the engine is stopped, Stop while it runs.
  void ShowState(bool running);

 private:
  TEngineControls c_;
  std::function<void()> saveFirst_;
};
