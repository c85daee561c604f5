#include "gui/Dialogs.h"

#include <windows.h>

#include <commctrl.h>

namespace {

int Show(const std::wstring& text, const std::wstring& caption, UINT type) {
  return ShowMessageBox(GetActiveWindow(), text, caption, type);
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

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
  return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

int ShowTaskDialog(HWND owner, const std::wstring& caption, const std::wstring& instruction,
                   const std::wstring& content, const std::vector<TTaskButton>& buttons, int defaultId) {
  // Looked up rather than imported: the common controls of version 5 have
  // no task dialog, and the program must still start with them.
  using TTaskDialogIndirect = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
  HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
  const auto taskDialog =
      comctl ? reinterpret_cast<TTaskDialogIndirect>(
                   reinterpret_cast<void (*)()>(GetProcAddress(comctl, "TaskDialogIndirect")))
             : nullptr;
  if (!taskDialog) return 0;
  std::vector<TASKDIALOG_BUTTON> items;
  items.reserve(buttons.size());
  for (const TTaskButton& button : buttons) items.push_back({button.Id, button.Text.c_str()});
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = owner;
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
  config.pszWindowTitle = caption.c_str();
  config.pszMainIcon = TD_ERROR_ICON;
  config.pszMainInstruction = instruction.c_str();
  config.pszContent = content.c_str();
  config.cButtons = static_cast<UINT>(items.size());
  config.pButtons = items.data();
  config.nDefaultButton = defaultId;
  int pressed = 0;
  if (FAILED(taskDialog(&config, &pressed, nullptr, nullptr))) return 0;
  return pressed;
}
