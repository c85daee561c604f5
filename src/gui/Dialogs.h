#pragma once
// The program's standard message boxes, owned by the active window so that
// they are modal to it. Texts use carriage returns for line breaks.
#include <string>

// Caption "Error", stop icon, OK button.
void ShowErrorBox(const std::wstring& text);
// Stop icon and OK button under another caption.
void ShowErrorBox(const std::wstring& text, const std::wstring& caption);
// Caption "Information" unless given, information icon, OK button.
void ShowInfoBox(const std::wstring& text, const std::wstring& caption = L"Information");
// Caption "Confirm" unless given, question icon, Yes and No buttons; true
// for Yes.
bool AskYesNo(const std::wstring& text, const std::wstring& caption = L"Confirm");
