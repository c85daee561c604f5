// The engine stand-in keeps the engine's side of the contract: one hidden
// obj_Form/REVorude window while it runs, the state message to the
// commander's window, and "-stopzpe" ending the running copy.
// clang-format off
// windows.h first: the other system headers need its types.
#include <windows.h>
// clang-format on

#include <gtest/gtest.h>
#include <shellapi.h>

#include <vector>

#include "WineTestKit.h"
#include "engine/EngineContract.h"
#include "gui/ProgramPath.h"
#include "gui/Registry.h"

namespace {

std::vector<WPARAM> g_states;

LRESULT CALLBACK CommanderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENGINE_STATE) {
    g_states.push_back(wParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A window standing for the commander's main window.
class TCommanderWindow {
 public:
  TCommanderWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CommanderProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = CommanderWindowClass;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, CommanderWindowClass, CommanderWindowTitle, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~TCommanderWindow() {
    if (window_) DestroyWindow(window_);
  }
  TCommanderWindow(const TCommanderWindow&) = delete;
  TCommanderWindow& operator=(const TCommanderWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

class TProcess {
 public:
  explicit TProcess(HANDLE process) : process_(process) {}
  ~TProcess() {
    if (process_) CloseHandle(process_);
  }
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;
  bool Ended(int timeoutMs) const { return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0; }
  bool Valid() const { return process_ != nullptr; }

 private:
  HANDLE process_;
};

// Runs the engine the way the commander does: through the shell, hidden.
HANDLE LaunchEngine(const wchar_t* parameters) {
  const std::wstring engine = ProgramFolder() + EngineFileName;
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = engine.c_str();
  info.lpParameters = parameters;
  info.nShow = SW_HIDE;
  return ShellExecuteExW(&info) ? info.hProcess : nullptr;
}

int CountEngineWindows() {
  int count = 0;
  HWND after = nullptr;
  while ((after = FindWindowExW(nullptr, after, EngineWindowClass, EngineWindowTitle)) != nullptr) ++count;
  return count;
}

std::string ReadLog() { return ReadBytes(ProgramFolder() + L"REVorude.log"); }

TEST(EngineStandIn, StartsOnceReportsItsStateAndStops) {
  TRegistry().DeleteKey(L"Software\\Quillon");
  // No engine left over from an earlier run.
  if (HWND old = FindWindowW(EngineWindowClass, EngineWindowTitle)) PostMessageW(old, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([] { return CountEngineWindows() == 0; }, 10000));
  DeleteFileW((ProgramFolder() + L"REVorude.log").c_str());

  TWinTempFolder dir;
  const std::wstring listFile = dir.Path() + L"WPapers.ini";
  CloseHandle(CreateFileW(listFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(SettingsKeyPath, true));
    registry.WriteString(SettingsFileValue, listFile);
  }

  TCommanderWindow commander;
  ASSERT_NE(commander.Get(), nullptr);
  g_states.clear();

  TProcess first(LaunchEngine(EngineStartParam));
  ASSERT_TRUE(first.Valid());
  ASSERT_TRUE(PumpUntil([] { return !g_states.empty(); })) << "no state message";
  EXPECT_EQ(g_states.front(), EngineStateRunning);
  HWND engine = FindWindowW(EngineWindowClass, EngineWindowTitle);
  ASSERT_NE(engine, nullptr);
  EXPECT_FALSE(IsWindowVisible(engine));
  EXPECT_EQ(GetAncestor(engine, GA_PARENT), GetDesktopWindow());

  // A second start only repeats the state.
  {
    TProcess second(LaunchEngine(EngineStartParam));
    ASSERT_TRUE(second.Valid());
    EXPECT_TRUE(second.Ended(20000));
    ASSERT_TRUE(PumpUntil([] { return g_states.size() >= 2; })) << "the running copy did not repeat its state";
    EXPECT_EQ(g_states[1], EngineStateRunning);
    EXPECT_EQ(CountEngineWindows(), 1);
  }

  TProcess stop(LaunchEngine(EngineStopParam));
  ASSERT_TRUE(stop.Valid());
  ASSERT_TRUE(PumpUntil([] { return g_states.size() >= 3; })) << "no state message on stopping";
  EXPECT_EQ(g_states[2], EngineStateStopped);
  EXPECT_TRUE(PumpUntil([] { return CountEngineWindows() == 0; }, 10000));
  EXPECT_TRUE(first.Ended(10000));
  EXPECT_TRUE(stop.Ended(10000));

  const std::string log = ReadLog();
  EXPECT_NE(log.find("command line: -startzpe\r\nstarted\r\nsettings file: "), std::string::npos) << log;
  EXPECT_NE(log.find("WPapers.ini (exists)"), std::string::npos) << log;
  EXPECT_NE(log.find("already running"), std::string::npos) << log;
  EXPECT_NE(log.find("command line: -stopzpe"), std::string::npos) << log;
  EXPECT_NE(log.find("stopping"), std::string::npos) << log;

  TRegistry registry;
  registry.DeleteKey(L"Software\\Quillon");
}

TEST(EngineStandIn, StopWithoutARunningCopyDoesNothing) {
  ASSERT_EQ(CountEngineWindows(), 0);
  TProcess stop(LaunchEngine(EngineStopParam));
  ASSERT_TRUE(stop.Valid());
  EXPECT_TRUE(stop.Ended(20000));
  EXPECT_EQ(CountEngineWindows(), 0);
  EXPECT_NE(ReadLog().find("not running"), std::string::npos);
}

}  // namespace
