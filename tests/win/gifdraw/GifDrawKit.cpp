#include "GifDrawKit.h"

#include <stdexcept>

#include "GuiObjects.h"
#include "gui/Stream.h"

namespace gifdraw {

std::unique_ptr<TGIFImage> LoadBytes(const giftest::Bytes& bytes) {
  auto image = std::make_unique<TGIFImage>();
  TMemoryStream stream(bytes);
  image->LoadFromStream(stream);
  return image;
}

giftest::Bytes ResourceBytes(const std::wstring& name) { return ReadFileBytes(std::wstring(DV_RES_DIR) + L"/" + name); }

std::unique_ptr<TGIFImage> LoadResource(const std::wstring& name) { return LoadBytes(ResourceBytes(name)); }

std::unique_ptr<TBitmap> FilledBitmap(int width, int height, COLORREF color) {
  auto bitmap = std::make_unique<TBitmap>(width, height, TPixelFormat::pf24bit);
  bitmap->Canvas().Brush = TBrush{color, TBrushStyle::Solid};
  bitmap->Canvas().FillRect(TRect{0, 0, width, height});
  return bitmap;
}

COLORREF FrameColor(const TGIFSubImage& frame, int x, int y) {
  const TGIFColor& c = frame.ActiveColorMap().Entry(frame.ScanLine(y)[x]);
  return RGB(c.Red, c.Green, c.Blue);
}

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

const wchar_t* HostClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"DvGifDrawTestHost";
    RegisterClassW(&wc);
    return L"DvGifDrawTestHost";
  }();
  return name;
}

// One shown top-level window for the whole run: tearing down a top-level
// window takes Wine's X11 driver about two seconds; child windows are quick.
HWND SharedFrame(COLORREF background) {
  static TBrushOwner brush;
  static HWND frame = nullptr;
  if (!frame) {
    frame = CreateWindowExW(0, HostClass(), L"gifdraw", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 400, 300,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!frame) throw std::runtime_error("no test window");
  }
  brush.reset(CreateSolidBrush(background));
  SetClassLongPtrW(frame, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush.get()));
  InvalidateRect(frame, nullptr, TRUE);
  UpdateWindow(frame);
  return frame;
}

}  // namespace

TPictureWindow::TPictureWindow(int width, int height, COLORREF background) {
  hwnd_ = SharedFrame(background);
  box_ = std::make_unique<TPictureBox>(hwnd_, 10, 10, width, height);
  UpdateWindow(box_->Handle());
}

TPictureWindow::~TPictureWindow() { Close(); }

void TPictureWindow::Close() { box_.reset(); }

std::unique_ptr<TBitmap> TPictureWindow::Snapshot() {
  RECT client{};
  GetClientRect(box_->Handle(), &client);
  auto bitmap = FilledBitmap(client.right, client.bottom, RGB(255, 255, 255));
  SendMessageW(box_->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()),
               PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  return bitmap;
}

void PumpFor(std::chrono::milliseconds duration) {
  PumpUntil([] { return false; }, duration);
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    const auto now = std::chrono::steady_clock::now();
    if (now >= end) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(left < 50 ? left : 50), QS_ALLINPUT);
  }
}

DWORD GdiObjectCount() { return CountGuiObjects().Gdi; }

double ProcessCpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) { return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0; };
  return ms(kernel) + ms(user);
}

}  // namespace gifdraw
