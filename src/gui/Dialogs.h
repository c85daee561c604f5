#pragma once
// The program's standard message boxes, owned by the active window so that
// they are modal to it. Texts use carriage returns for line breaks.
#include <windows.h>

#include <string>
#include <vector>

// Caption "Error", stop icon, OK button.
void ShowErrorBox(const std::wstring& text);
// Stop icon and OK button under another caption.
void ShowErrorBox(const std::wstring& text, const std::wstring& caption);
// Caption "Information" unless given, information icon, OK button.
void ShowInfoBox(const std::wstring& text, const std::wstring& caption = L"Information");
// Caption "Confirm" unless given, question icon, Yes and No buttons; true
// for Yes.
bool AskYesNo(const std::wstring& text, const std::wstring& caption = L"Confirm");

// A message box of any type over owner; returns the pressed button's id.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

// A button of a task dialog: the id it returns and its text.
struct TTaskButton {
  int Id;
  std::wstring Text;
};

// A task dialog over owner with a stop icon, a main instruction, the content
// below it and the buttons given; returns the id of the button pressed, or
// IDCANCEL when the dialog is dismissed with Escape or its close box. Returns
// 0 when the system has no task dialogs (common controls before version 6),
// so that the caller can ask with a message box instead.
int ShowTaskDialog(HWND owner, const std::wstring& caption, const std::wstring& instruction,
                   const std::wstring& content, const std::vector<TTaskButton>& buttons, int defaultId);
