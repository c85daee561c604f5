#pragma once
// The application object: the hidden application window (class
// "TApplication", captioned with the title), the message loop with its hook,
// the active-control notification and the default error report.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "gui/GdiObject.h"

class TForm;

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Creates the hidden application window.
  void Initialize();
  HWND Handle() const { return handle_.get(); }
  std::wstring Title() const { return title_; }
  void SetTitle(const std::wstring& title);

  // Runs the message loop until the main form is gone or a quit arrives.
  void Run(TForm& mainForm);
  TForm* MainForm() const { return mainForm_; }
  // Posts a quit message: the loop ends before it takes any further input.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Takes and handles every waiting message; returns false after a quit.
  bool ProcessMessages();

  // Sees every message that the loop takes from the queue, before it is
  // dispatched. Setting handled stops the message there.
  std::function<void(MSG& msg, bool& handled)> OnMessage;
  // Raised when the keyboard focus moves to another window of the program.
  std::function<void(HWND previous, HWND current)> OnActiveControlChange;

  // The default error report: a message box with the error's text.
  void ShowException(const std::exception& error);
  // Reports the exception being handled: to OnException when it is set,
  // otherwise with ShowException.
  void HandleCurrentException();
  // Replaces the default error report for every error the loop and the
  // windows contain.
  std::function<void(const std::exception& error)> OnException;

  // Runs one loop step: takes one message (waiting for one when wait is set).
  // Returns false when a quit message was taken.
  bool HandleMessage(bool wait);

 private:
  void CheckActiveControl();
  void Report(const std::exception& error);

  TWindowOwner handle_;
  std::wstring title_;
  TForm* mainForm_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool terminated_ = false;
};

// The one application object of the program.
TApplication& Application();

// Runs a handler and sends any exception it raises to the default error
// report, so that no exception crosses a window procedure.
template <typename F>
void GuardedCall(F&& call) {
  try {
    call();
  } catch (...) {
    Application().HandleCurrentException();
  }
}
