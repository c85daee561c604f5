#include "gui/Dialogs.h"

#include <windows.h>

namespace {

int Show(const std::wstring& text, const std::wstring& caption, UINT type) {
  return MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), type);
}

}  // namespace

void ShowErrorBox(const std::wstring& text) { ShowErrorBox(text, L"Error"); }

void ShowErrorBox(const std::wstring& text, const std::wstring& caption) { Show(text, caption, MB_ICONSTOP | MB_OK); }

void ShowInfoBox(const std::wstring& text, const std::wstring& caption) {
  Show(text, caption, MB_ICONINFORMATION | MB_OK);
}

bool AskYesNo(const std::wstring& text, const std::wstring& caption) {
  return Show(text, caption, MB_ICONQUESTION | MB_YESNO) == IDYES;
}
