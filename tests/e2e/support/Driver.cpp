#include "Driver.h"

#include <shlwapi.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace e2e {

namespace {

void Fail(const char* what) { throw std::runtime_error(what); }

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(folder.c_str());
}

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  const std::wstring* caption;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->processId) return TRUE;
  if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (search->className) {
    wchar_t cls[256] = {};
    GetClassNameW(window, cls, 256);
    if (wcscmp(cls, search->className) != 0) return TRUE;
  }
  if (search->caption && WindowText(window) != *search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindOf(DWORD pid, const wchar_t* className, const std::wstring* caption, bool visibleOnly) {
  WindowSearch search{pid, className, caption, visibleOnly, nullptr};
  EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ChildSearch {
  const wchar_t* text;
  HWND found;
};

BOOL CALLBACK FindChild(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (WindowText(child) == search->text) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND ChildWithText(HWND window, const wchar_t* text) {
  ChildSearch search{text, nullptr};
  EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string SolidBmp(int width, int height) {
  const int stride = (width * 3 + 3) & ~3;
  const std::uint32_t bits = std::uint32_t(stride) * height;
  std::string file(54 + bits, '\x80');
  auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[at + i] = char((value >> (8 * i)) & 0xFF);
  };
  file[0] = 'B';
  file[1] = 'M';
  put(2, std::uint32_t(file.size()), 4);
  put(6, 0, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, std::uint32_t(width), 4);
  put(22, std::uint32_t(height), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(30, 0, 4);
  put(34, bits, 4);
  put(38, 2835, 4);
  put(42, 2835, 4);
  put(46, 0, 8);
  return file;
}

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(50);
  }
  return true;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring BinFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

TProgramFolder::TProgramFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  for (;;) {
    path_ = std::wstring(temp) + L"dv-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) Fail("cannot create a temporary program folder");
  }
}

TProgramFolder::~TProgramFolder() { RemoveTree(path_); }

void TProgramFolder::Copy(const std::wstring& source, const std::wstring& target) {
  if (!CopyFileW((BinFolder() + source).c_str(), (path_ + target).c_str(), FALSE)) Fail("cannot copy a program");
}

void TProgramFolder::WriteFile(const std::wstring& name, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path_ + name), std::ios::binary);
  out << bytes;
}

std::string TProgramFolder::ReadFile(const std::wstring& name) const {
  std::ifstream in(std::filesystem::path(path_ + name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TProgramFolder::Exists(const std::wstring& name) const {
  return GetFileAttributesW((path_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TProgram::TProgram(const std::wstring& path, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info_))
    Fail("cannot start the program");
}

TProgram::~TProgram() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool TProgram::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool TProgram::WaitForExit(DWORD milliseconds) {
  return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

DWORD TProgram::ExitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

HWND TProgram::FindWindowOfClass(const wchar_t* className, bool visibleOnly) const {
  return FindOf(Id(), className, nullptr, visibleOnly);
}

HWND TProgram::WaitForWindow(const wchar_t* className, DWORD milliseconds) const {
  const DWORD start = GetTickCount();
  do {
    if (HWND window = FindWindowOfClass(className, true)) return window;
    if (!Running()) return nullptr;
    Sleep(50);
  } while (GetTickCount() - start < milliseconds);
  return nullptr;
}

bool TProgram::CloseMainWindow(DWORD milliseconds) {
  if (HWND window = FindWindowOfClass(L"TfrmDorvane", false)) PostMessageW(window, WM_CLOSE, 0, 0);
  return WaitForExit(milliseconds);
}

HWND WaitForMessageBox(DWORD processId, const std::wstring& caption, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    if (HWND box = FindOf(processId, L"#32770", &caption, true)) return box;
    Sleep(50);
  } while (GetTickCount() - start < milliseconds);
  return nullptr;
}

std::wstring MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

void PressButton(HWND box, int id) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

bool HasVisibleWindow(DWORD processId) { return FindOf(processId, nullptr, nullptr, true) != nullptr; }

void ClearProgramRegistry() {
  SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Quillon");
  HKEY run;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE,
                    &run) == ERROR_SUCCESS) {
    RegDeleteValueW(run, L"Dorvane");
    RegCloseKey(run);
  }
}

bool RegistryKeyExists(const std::wstring& path) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace e2e
