#pragma once
// Builds the main window in this process, as the program does, in a fresh
// temporary program folder view: the registry is cleared before and after.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "app/ControlApplication.h"
#include "app/MainWindow.h"
#include "grid/VirtualGrid.h"
#include "list/WallpaperPanel.h"
#include "settings/SettingsPanel.h"

class MainWindowFixture : public testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Builds and shows the window (runs the creation handler).
  TfrmDorvane& Open();
  // Closes the window as the close box does (runs the close handler).
  void CloseWindow();
  // Handles waiting messages.
  void Pump();

  static void ClearRegistry();
  static std::wstring ListFile();

  std::unique_ptr<TControlApplication> controlApplication_;
  std::unique_ptr<TfrmDorvane> form_;
};

// Answers the next message box of this process that has the given caption:
// records its text and presses the button. Runs on its own thread while the
// GUI thread sits in the box's modal loop.
class TBoxAnswerer {
 public:
  TBoxAnswerer(std::wstring caption, int button);
  ~TBoxAnswerer();
  // The text of the box that was answered; empty when none came.
  std::wstring Text();
  bool Answered();

 private:
  struct State;
  std::unique_ptr<State> state_;
};
