#include "GridTestSupport.h"

namespace {
const wchar_t kHostClass[] = L"DorvaneGridTestHost";
}

THostWindow::THostWindow(int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kHostClass;
    RegisterClassW(&wc);
    registered = true;
  }
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  hwnd_.reset(CreateWindowExW(0, kHostClass, L"Grid test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr));
  font_.reset(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif"));
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  PumpMessages();
}

THostWindow& SharedHost() {
  static THostWindow host;
  SetForegroundWindow(host.Handle());
  SetFocus(host.Handle());
  return host;
}

void PumpMessages() {
  MSG msg;
  for (int i = 0; i < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

TWallpaperGrid::TWallpaperGrid(HWND host) : TVirtualGrid(host, TBounds{8, 48, 551, 135}) {
  List.OnChange = [this](const TWallpaperChange& change) { TWallpaperView::FollowChange(*this, change); };
}

TWallpaperGrid::~TWallpaperGrid() {
  // The editor and the view let go before the list does.
  AbandonEdit();
  View.reset();
}

std::unique_ptr<TWallpaperGrid> MakeWallpaperGrid(HWND host) {
  auto grid = std::make_unique<TWallpaperGrid>(host);
  // The host has no WM_GETFONT of its own; hand the font over as a form would.
  grid->SetFont(reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  grid->AddColumn(L"File name", 180, 50, 2200);
  grid->AddColumn(L"Path", 277, 50);
  grid->AddColumn(L"Position", 90, 80);
  grid->OnGetText = [g = grid.get()](int row, int column) -> std::wstring {
    const TWallpaperEntry& entry = g->Data(row);
    if (column == 0 || column == -1) return entry.FileName;
    if (column == 1) return entry.Path;
    return std::wstring(entry.Position.begin(), entry.Position.end());
  };
  PumpMessages();
  return grid;
}

void WireProgramHandlers(TWallpaperGrid& grid) { grid.View = std::make_unique<TWallpaperView>(grid, grid.List); }

TWallpaperEntry Entry(const std::wstring& name, const std::string& position) {
  TWallpaperEntry entry;
  entry.FileName = name;
  entry.Path = L"C:\\Pics";
  entry.SetPosition(position);
  return entry;
}

void AddRows(TWallpaperGrid& grid, int count) {
  for (int i = 0; i < count; ++i) grid.AppendRow(Entry(L"pic" + std::to_wstring(grid.RowCount()) + L".jpg"));
}

POINT CellCenter(const TVirtualGrid& grid, int row, int column) {
  const RECT cell = grid.CellRect(row, column);
  return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

void Click(HWND hwnd, POINT p, UINT down, UINT up) {
  const WPARAM keys = down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
  SendMessageW(hwnd, down, keys, MAKELPARAM(p.x, p.y));
  if (up) SendMessageW(hwnd, up, 0, MAKELPARAM(p.x, p.y));
}

void PressKey(HWND hwnd, WPARAM key) {
  SendMessageW(hwnd, WM_KEYDOWN, key, 1);
  SendMessageW(hwnd, WM_KEYUP, key, 0xC0000001);
}

TMemorySurface::TMemorySurface(int width, int height)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  old_ = SelectObject(dc_.get(), bitmap_.get());
}

TMemorySurface::~TMemorySurface() {
  if (old_) SelectObject(dc_.get(), old_);
}

COLORREF TMemorySurface::Pixel(int x, int y) const {
  GdiFlush();
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const DWORD value = static_cast<const DWORD*>(bits_)[y * width_ + x];
  return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

void PrintClient(TVirtualGrid& grid, TMemorySurface& surface) {
  SendMessageW(grid.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT);
}
