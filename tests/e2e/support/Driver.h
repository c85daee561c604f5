#pragma once
// Drives the real Dorvane.exe from another process: a temporary program
// folder, the running program, its windows, its message boxes, and the
// registry keys it writes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The folder of the running test program (the build's bin folder).
std::wstring BinFolder();

// A temporary program folder that holds copies of built programs. Removed,
// with everything in it, when the object goes.
class TProgramFolder {
 public:
  TProgramFolder();
  ~TProgramFolder();
  TProgramFolder(const TProgramFolder&) = delete;
  TProgramFolder& operator=(const TProgramFolder&) = delete;

  const std::wstring& Path() const { return path_; }  // with a trailing backslash
  // Copies <bin>\source to <folder>\target.
  void Copy(const std::wstring& source, const std::wstring& target);
  void WriteFile(const std::wstring& name, const std::string& bytes);
  std::string ReadFile(const std::wstring& name) const;
  bool Exists(const std::wstring& name) const;

 private:
  std::wstring path_;
};

class TProgram {
 public:
  // Starts path with the given arguments, its folder as current directory.
  explicit TProgram(const std::wstring& path, const std::wstring& arguments = L"");
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  // Waits for the process to end; returns false on time-out.
  bool WaitForExit(DWORD milliseconds);
  DWORD ExitCode() const;
  // The visible top-level window of the given class that belongs to the
  // process, waiting up to the time given. Null when none appears.
  HWND WaitForWindow(const wchar_t* className, DWORD milliseconds) const;
  HWND FindWindowOfClass(const wchar_t* className, bool visibleOnly) const;
  // Closes the main window with WM_CLOSE and waits for the process to end.
  bool CloseMainWindow(DWORD milliseconds = 10000);

 private:
  PROCESS_INFORMATION info_{};
};

// A message box of the process with the given caption, waiting up to the
// time given. Null when none appears.
HWND WaitForMessageBox(DWORD processId, const std::wstring& caption, DWORD milliseconds);
// The text of a message box.
std::wstring MessageBoxText(HWND box);
// Presses a message box button (IDOK, IDYES, IDNO, ...).
void PressButton(HWND box, int id);
// Any window of the process that is visible.
bool HasVisibleWindow(DWORD processId);

// Registry of the test prefix: removes Software\Quillon and the "Dorvane"
// value of the Run key.
void ClearProgramRegistry();
bool RegistryKeyExists(const std::wstring& path);

std::wstring WindowText(HWND window);
// The first child window (at any depth) whose text is text; null when none.
HWND ChildWithText(HWND window, const wchar_t* text);
// A width x height 24-bit BMP file of one colour.
std::string SolidBmp(int width, int height);
// Polls done every 50 ms until it holds; false when the time runs out.
bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = 10000);

}  // namespace e2e
