#pragma once
// Helpers of the About window tests: a program folder of their own, a modal
// run that cannot hang, and the children of a window.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "about/About.h"

// A fresh folder that stands for the program's folder, removed with its
// files.
class TAboutFolder {
 public:
  TAboutFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    path_ = std::wstring(base) + L"dv about " + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter_++) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TAboutFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TAboutFolder(const TAboutFolder&) = delete;
  TAboutFolder& operator=(const TAboutFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + name; }
  void Write(const std::wstring& name, const std::string& bytes) const {
    HANDLE file = CreateFileW(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  // Copies a file of the test's own folder (the build's bin folder).
  void CopyFromBin(const std::wstring& source, const std::wstring& target) const {
    CopyFileW((ProgramFolder() + source).c_str(), File(target).c_str(), FALSE);
  }

 private:
  static inline int counter_ = 0;
  std::wstring path_;
};

// Runs the form's modal loop; act runs once the form is up (posting the
// input to test). A watchdog closes the form after timeoutMs so that a
// failing test cannot hang.
inline int RunModal(TForm& form, const std::function<void()>& act, int timeoutMs = 15000) {
  HWND window = form.Handle();
  std::atomic<bool> done{false};
  std::thread watchdog([&done, window, timeoutMs] {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!done) PostMessageW(window, WM_CLOSE, 0, 0);
  });
  act();
  const int result = form.ShowModal();
  done = true;
  watchdog.join();
  return result;
}

inline std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

inline RECT PlaceIn(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
