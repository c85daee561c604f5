// Stand-in for the Ombrelle engine, used by the commander's tests and by
// "scripts/run". It is NOT part of the shipped program: it changes no
// wallpaper, pointer or screen saver. It only keeps the engine's side of the
// contract the commander relies on:
//   -startzpe  start once: own a hidden top-level window of class "obj_Form"
//              titled "REVorude" and tell the commander's main window
//              (class "TfrmDorvane") WM_ENGINE_STATE with WParam 1; a copy
//              that is already running is only asked to tell its state again.
//   -stopzpe   ask the running copy to end; as it ends it sends WParam 0.
// For the tests it appends to "REVorude.log" beside itself each command line
// it got and, when it starts, the "Settings File" registry value and whether
// that file exists.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/EngineContract.h"

namespace {

// The running copy re-sends its state when it gets this message.
constexpr UINT WM_RESEND_STATE = WM_APP + 1;

std::wstring ProgramFolder() {
  std::vector<wchar_t> buffer(32768);
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::wstring path(buffer.data(), length);
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// One line (UTF-8) appended to the log; the file is opened and closed for
// each line so that the tests can read it at any time.
void Log(const std::wstring& line) {
  const std::wstring name = ProgramFolder() + L"REVorude.log";
  HANDLE file = CreateFileW(name.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::wstring text = line + L"\r\n";
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

void LogSettingsFile() {
  HKEY key = nullptr;
  std::wstring value;
  bool found = false;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, SettingsFileValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
      std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
      size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
      if (RegQueryValueExW(key, SettingsFileValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
          ERROR_SUCCESS) {
        value = buffer.data();
        found = true;
      }
    }
    RegCloseKey(key);
  }
  if (!found) {
    Log(L"settings file: (none)");
    return;
  }
  const bool exists = GetFileAttributesW(value.c_str()) != INVALID_FILE_ATTRIBUTES;
  Log(L"settings file: " + value + (exists ? L" (exists)" : L" (missing)"));
}

void TellCommander(WPARAM state) {
  HWND commander = FindWindowW(CommanderWindowClass, nullptr);
  if (!commander) return;
  // A commander that does not answer must not hold the engine up.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(commander, WM_ENGINE_STATE, state, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, 5000, &ignored);
}

LRESULT CALLBACK EngineWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_RESEND_STATE:
      TellCommander(EngineStateRunning);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      Log(L"stopping");
      TellCommander(EngineStateStopped);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND FindEngine() { return FindWindowW(EngineWindowClass, EngineWindowTitle); }

int Start(HINSTANCE instance) {
  // Two starts at the same moment must not make two engines.
  HANDLE guard = CreateMutexW(nullptr, FALSE, L"Quillon.REVorude.StandIn.Start");
  if (guard) WaitForSingleObject(guard, 10000);
  if (HWND running = FindEngine()) {
    if (guard) {
      ReleaseMutex(guard);
      CloseHandle(guard);
    }
    Log(L"already running");
    PostMessageW(running, WM_RESEND_STATE, 0, 0);
    return 0;
  }

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = EngineWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = EngineWindowClass;
  RegisterClassW(&windowClass);
  // Top-level and never shown: FindWindow sees hidden windows too.
  HWND window = CreateWindowExW(0, EngineWindowClass, EngineWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
  if (guard) {
    ReleaseMutex(guard);
    CloseHandle(guard);
  }
  if (!window) {
    Log(L"cannot create the engine window");
    return 1;
  }
  Log(L"started");
  LogSettingsFile();
  TellCommander(EngineStateRunning);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

int Stop() {
  HWND running = FindEngine();
  if (!running) {
    Log(L"not running");
    return 0;
  }
  PostMessageW(running, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const std::wstring arguments = commandLine ? commandLine : L"";
  Log(L"command line: " + arguments);
  if (arguments.find(EngineStopParam) != std::wstring::npos) return Stop();
  if (arguments.find(EngineStartParam) != std::wstring::npos) return Start(instance);
  Log(L"nothing to do");
  return 0;
}
