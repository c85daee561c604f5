#pragma once
// Helpers of the infrastructure tests under Wine: a watcher that reads and
// answers the message boxes the code under test shows, a message pump, and
// a temporary folder.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// Waits on a thread of its own for a message box of this process with the
// caption, records its text and presses its first button (OK or Yes).
class TBoxWatcher {
 public:
  explicit TBoxWatcher(std::wstring caption, int timeoutMs = 10000)
      : caption_(std::move(caption)), thread_([this, timeoutMs] { Watch(timeoutMs); }) {}
  ~TBoxWatcher() { Finish(); }
  TBoxWatcher(const TBoxWatcher&) = delete;
  TBoxWatcher& operator=(const TBoxWatcher&) = delete;

  // Stops watching and tells whether a box was seen.
  bool Finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
  }
  std::wstring Text() {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
  }

 private:
  struct TSearch {
    const std::wstring* Caption;
    HWND Found = nullptr;
  };

  static BOOL CALLBACK Match(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) != L"#32770") return TRUE;
    wchar_t title[256] = {};
    InternalGetWindowText(window, title, 256);
    if (*search->Caption != title) return TRUE;
    search->Found = window;
    return FALSE;
  }

  void Watch(int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!stop_ && std::chrono::steady_clock::now() < end) {
      TSearch search{&caption_};
      EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
      if (search.Found && IsWindowVisible(search.Found)) {
        wchar_t text[1024] = {};
        GetDlgItemTextW(search.Found, 0xFFFF, text, 1024);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          text_ = text;
        }
        seen_ = true;
        // The first button of MB_OK is IDOK, of MB_YESNO IDYES.
        HWND yes = GetDlgItem(search.Found, IDYES);
        PostMessageW(search.Found, WM_COMMAND, yes ? IDYES : IDOK, 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  std::wstring caption_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> seen_{false};
  std::mutex mutex_;
  std::wstring text_;
  std::thread thread_;
};

// Dispatches this thread's messages until done() or the timeout; returns
// done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

// A fresh folder under the temporary folder, removed with its files.
class TWinTempFolder {
 public:
  explicit TWinTempFolder(const std::wstring& name = L"dv infra") {
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    path_ = std::wstring(base) + name + L" " + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64()) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TWinTempFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path_, ignored);
  }
  TWinTempFolder(const TWinTempFolder&) = delete;
  TWinTempFolder& operator=(const TWinTempFolder&) = delete;
  // With a trailing backslash.
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

inline std::string ReadBytes(const std::wstring& fileName) {
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

inline bool FileExists(const std::wstring& fileName) {
  return GetFileAttributesW(fileName.c_str()) != INVALID_FILE_ATTRIBUTES;
}
