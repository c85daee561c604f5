#include "WindowFixture.h"

#include <commctrl.h>
#include <shlwapi.h>

#include "app/PictureTypes.h"
#include "gui/Application.h"
#include "gui/ProgramPath.h"

void MainWindowFixture::SetUpTestSuite() {
  static bool initialised = false;
  if (initialised) return;
  initialised = true;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&controls);
  Application().Initialize();
  Application().SetTitle(L"Ombrelle");
  RegisterPictureTypes();
}

void MainWindowFixture::ClearRegistry() {
  SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Quillon");
  HKEY run;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE,
                    &run) == ERROR_SUCCESS) {
    RegDeleteValueW(run, L"Dorvane");
    RegCloseKey(run);
  }
}

std::wstring MainWindowFixture::ListFile() { return ProgramFolder() + L"WPapers.ini"; }

void MainWindowFixture::SetUp() {
  ClearRegistry();
  DeleteFileW(ListFile().c_str());
  controlApplication_ = std::make_unique<TControlApplication>();
}

void MainWindowFixture::TearDown() {
  if (form_ && form_->Handle()) CloseWindow();
  form_.reset();
  controlApplication_.reset();
  ClearRegistry();
  DeleteFileW(ListFile().c_str());
}

TfrmDorvane& MainWindowFixture::Open() {
  form_ = std::make_unique<TfrmDorvane>(*controlApplication_);
  form_->Create();
  form_->Show();
  Pump();
  return *form_;
}

void MainWindowFixture::CloseWindow() {
  SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
  Pump();
}

void MainWindowFixture::Pump() { Application().ProcessMessages(); }

#include <atomic>
#include <mutex>
#include <thread>

struct TBoxAnswerer::State {
  std::wstring caption;
  int button;
  std::atomic<bool> stop{false};
  std::atomic<bool> answered{false};
  std::mutex mutex;
  std::wstring text;
  std::thread worker;
};

namespace {

struct BoxSearch {
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  // No window messages here: the GUI thread may not be pumping.
  wchar_t cls[64] = {}, text[256] = {};
  GetClassNameW(window, cls, 64);
  if (std::wstring(cls) != L"#32770") return TRUE;
  InternalGetWindowText(window, text, 256);
  if (*search->caption == text) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TBoxAnswerer::TBoxAnswerer(std::wstring caption, int button) : state_(std::make_unique<State>()) {
  state_->caption = std::move(caption);
  state_->button = button;
  State* s = state_.get();
  s->worker = std::thread([s] {
    const DWORD start = GetTickCount();
    while (!s->stop && GetTickCount() - start < 20000) {
      BoxSearch search{&s->caption, nullptr};
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
      if (search.found) {
        wchar_t text[2048] = {};
        GetWindowTextW(GetDlgItem(search.found, 0xFFFF), text, 2048);
        {
          std::lock_guard<std::mutex> lock(s->mutex);
          s->text = text;
        }
        PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(s->button, BN_CLICKED), 0);
        s->answered = true;
        return;
      }
      Sleep(20);
    }
  });
}

TBoxAnswerer::~TBoxAnswerer() {
  state_->stop = true;
  state_->worker.join();
}

std::wstring TBoxAnswerer::Text() {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->text;
}

bool TBoxAnswerer::Answered() { return state_->answered; }
