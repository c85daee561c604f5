#include "TestHost.h"

#include <commctrl.h>

#include <stdexcept>

namespace {
// One shown top-level window for the whole run: showing and destroying
// top-level windows is slow under Wine's X11 driver, children are not.
HWND SharedFrame() {
  static HWND frame = nullptr;
  if (frame) return frame;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&icc);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"DvWidgetsTestHost";
  RegisterClassW(&wc);
  frame = CreateWindowExW(0, L"DvWidgetsTestHost", L"widgets", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 1000,
                          700, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!frame) throw std::runtime_error("no host window");
  return frame;
}
}  // namespace

THostWindow::THostWindow(int width, int height) : hwnd_(SharedFrame()) {
  panel_ = std::make_unique<TPanel>(hwnd_, TBounds{0, 0, width, height});
  SendMessageW(panel_->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

THostWindow::~THostWindow() {
  panel_.reset();
  PumpMessages();
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::unique_ptr<TMemoryBitmap> Render(HWND window, COLORREF ground, UINT flags) {
  RECT client{};
  GetClientRect(window, &client);
  auto bitmap = std::make_unique<TMemoryBitmap>(client.right, client.bottom);
  RECT all{0, 0, bitmap->Width(), bitmap->Height()};
  FillRect(bitmap->DC(), &all, SolidBrush(ground).get());
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap->DC()), flags);
  GdiFlush();
  return bitmap;
}
