#pragma once
// Builds the main window in this process, as the program does, in a fresh
// temporary program folder view: the registry is cleared before and after.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "app/ControlApplication.h"
#include "app/MainWindow.h"

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
