// Start-up of the commander against a minimal program that opens one window
// (startup_bare), under the same Wine: from the process start to its main
// window being visible, the median of five starts each (after one start of
// each that is not counted: it warms the disk cache and Wine's own DLLs).
// The commander starts from a temporary program folder, as a user's copy,
// with an empty list; each window is closed with WM_CLOSE before the next
// start.
//
// Prints one line per program and the ratio, commander over bare (lower is
// better). Usage: startup_bench [starts]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring BinFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

struct TFind {
  DWORD ProcessId;
  const wchar_t* ClassName;
  HWND Found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<TFind*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner == find->ProcessId && IsWindowVisible(window) && wcscmp(name, find->ClassName) == 0) {
    find->Found = window;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from CreateProcess to a visible top-level window of the class;
// a negative value when the program failed to show one within 20 s.
double TimeStart(const std::wstring& program, const wchar_t* className) {
  const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const double start = Now();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info))
    return -1;
  TFind find{info.dwProcessId, className, nullptr};
  double shown = -1;
  while (Now() - start < 20000) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&find));
    if (find.Found) {
      shown = Now() - start;
      break;
    }
    if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (find.Found) PostMessageW(find.Found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return shown;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::wstring bin = BinFolder();

  // The commander's own copy in a folder of its own, so that the list file
  // it writes at close lands there and every start reads the same empty list.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"dv-startup-bench\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring dorvane = folder + L"Dorvane.exe";
  if (!CopyFileW((bin + L"Dorvane.exe").c_str(), dorvane.c_str(), FALSE)) {
    std::printf("cannot copy Dorvane.exe\n");
    return 1;
  }
  const std::wstring bare = bin + L"startup_bare.exe";

  std::vector<double> ours, reference;
  TimeStart(dorvane, L"TfrmDorvane");
  TimeStart(bare, L"BareWindow");
  for (int i = 0; i < starts; ++i) {
    DeleteFileW((folder + L"WPapers.ini").c_str());
    ours.push_back(TimeStart(dorvane, L"TfrmDorvane"));
    reference.push_back(TimeStart(bare, L"BareWindow"));
  }
  DeleteFileW((folder + L"WPapers.ini").c_str());
  DeleteFileW(dorvane.c_str());
  RemoveDirectoryW(folder.c_str());
  if (*std::min_element(ours.begin(), ours.end()) < 0 || *std::min_element(reference.begin(), reference.end()) < 0) {
    std::printf("a program showed no window\n");
    return 1;
  }
  const double o = Median(ours), r = Median(reference);
  std::printf("Dorvane.exe: median %.0f ms of", o);
  for (double t : ours) std::printf(" %.0f", t);
  std::printf("\nbare window: median %.0f ms of", r);
  for (double t : reference) std::printf(" %.0f", t);
  // The fastest starts show what each costs undisturbed, for the record; the
  // figure is the medians' ratio.
  const double fastest =
      *std::min_element(ours.begin(), ours.end()) / *std::min_element(reference.begin(), reference.end());
  std::printf("\nstart-up, Dorvane/bare time (fastest starts %.2f), medians: %.2f\n", fastest, o / r);
  return 0;
}
