#include "gui/Application.h"

#include <stdexcept>

#include "gui/Form.h"
#include "gui/Stream.h"

namespace {

// The application window stands for the program on the task bar: the main
// form is owned by it, minimising the form minimises it, and restoring it (by
// the user or by a second copy of the program) brings the form back.
void ShowMainForm() {
  if (TForm* form = Application().MainForm(); form && form->Handle()) {
    ShowWindow(form->Handle(), SW_SHOW);
    SetForegroundWindow(form->Handle());
  }
}

LRESULT CALLBACK AppWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        if (TForm* form = Application().MainForm(); form && form->Handle()) ShowWindow(form->Handle(), SW_HIDE);
        ShowWindow(hwnd, SW_MINIMIZE);
        return 0;
      }
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        if (TForm* form = Application().MainForm(); form && form->Handle()) PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) ShowMainForm();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd)) {
        if (TForm* form = Application().MainForm(); form && form->Handle() && IsWindowVisible(form->Handle())) {
          SetForegroundWindow(form->Handle());
          return 0;
        }
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

TApplication& Application() {
  static TApplication app;
  return app;
}

TApplication::TApplication() = default;

TApplication::~TApplication() = default;

void TApplication::Initialize() {
  if (handle_) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = AppWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = L"TApplication";
  RegisterClassW(&wc);
  // A visible window of no size: it carries the task bar button and the
  // minimised state, and a later copy of the program finds it by class and
  // caption.
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  handle_.reset(CreateWindowExW(0, L"TApplication", title_.c_str(),
                                WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                                nullptr, nullptr, wc.hInstance, nullptr));
  if (!handle_) throw std::runtime_error("Error creating the application window");
}

void TApplication::SetTitle(const std::wstring& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_.get(), title.c_str());
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

bool TApplication::HandleMessage(bool wait) {
  MSG msg;
  if (wait) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      terminated_ = true;
      return false;
    }
  } else {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return true;
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
  }
  bool handled = false;
  if (OnMessage) GuardedCall([&] { OnMessage(msg, handled); });
  if (!handled) {
    HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    TControl* control = top ? TControl::FromHandle(top) : nullptr;
    TForm* form = control ? control->AsForm() : nullptr;
    if (!(form && form->IsDialogKey(msg))) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  CheckActiveControl();
  return true;
}

bool TApplication::ProcessMessages() {
  MSG peek;
  while (PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
    if (!HandleMessage(false)) return false;
  }
  return true;
}

void TApplication::Run(TForm& mainForm) {
  mainForm_ = &mainForm;
  // A quit requested while the form was built (a second copy) ends the loop
  // before the form is shown.
  if (!terminated_) {
    ShowWindow(handle_.get(), SW_SHOWNOACTIVATE);
    mainForm.Show();
  }
  while (!terminated_ && mainForm.Handle()) {
    if (!HandleMessage(true)) break;
  }
  mainForm_ = nullptr;
}

void TApplication::CheckActiveControl() {
  HWND focus = GetFocus();
  if (focus == lastFocus_) return;
  HWND previous = lastFocus_;
  lastFocus_ = focus;
  // A dialog disables its owner before it takes the activation, and the
  // owner loses its focus then: each form keeps its own record.
  if (focus) {
    HWND top = GetAncestor(focus, GA_ROOT);
    TControl* control = top ? TControl::FromHandle(top) : nullptr;
    if (TForm* form = control ? control->AsForm() : nullptr) form->RememberFocus(focus);
    // The containers around the focus learn of it, the innermost first.
    for (HWND around = GetParent(focus); around && around != top; around = GetParent(around))
      if (TControl* container = TControl::FromHandle(around)) container->DescendantFocused(focus);
  }
  if (OnActiveControlChange) GuardedCall([&] { OnActiveControlChange(previous, focus); });
}

void TApplication::ShowException(const std::exception& error) {
  std::wstring text = Utf8ToWide(error.what());
  if (!text.empty() && text.back() != L'.') text += L'.';
  HWND owner = GetActiveWindow();
  MessageBoxW(owner ? owner : handle_.get(), text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::HandleCurrentException() {
  try {
    throw;
  } catch (const std::exception& error) {
    Report(error);
  } catch (...) {
    Report(std::runtime_error("Unknown error"));
  }
}

void TApplication::Report(const std::exception& error) {
  if (OnException)
    OnException(error);
  else
    ShowException(error);
}
