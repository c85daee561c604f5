// Shows a wallpaper grid with 20 shaded rows in a window, for a look at how
// it paints. Usage: grid_demo [seconds] (default 5), then it closes itself.
#include <cstdlib>

#include "GridTestSupport.h"
#include "list/HSLColor.h"

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
  THostWindow host(645, 220);
  SetWindowTextW(host.Handle(), L"Quillon Ombrelle");
  auto grid = MakeWallpaperGrid(host.Handle());
  WireProgramHandlers(*grid);
  grid->OnBeforeCellPaint = [&](HDC dc, int row, int, const RECT& cell) {
    if (row == grid->FocusedRow() || row % 2 == 0) return;
    THSL hsl{};
    RGBToHSL(static_cast<TColor>(GetSysColor(COLOR_WINDOW)), hsl);
    hsl.Lightness = hsl.Lightness >= 30 ? hsl.Lightness - 15 : hsl.Lightness + 30;
    TBrushOwner brush(CreateSolidBrush(static_cast<COLORREF>(HSLToRGB(hsl))));
    FillRect(dc, &cell, brush.get());
  };
  const wchar_t* names[] = {L"Sea.jpg", L"Mountains.bmp", L"Forest.gif", L"Desert at dusk.jpg", L"City.jpeg"};
  const char* positions[] = {"Center", "Tile", "Stretch"};
  for (int i = 0; i < 20; ++i) {
    TWallpaperEntry entry;
    entry.FileName = names[i % 5];
    entry.Path = i % 3 ? L"C:\\Documents and Settings\\Me\\My Pictures" : L"D:\\Walls";
    entry.SetPosition(positions[i % 3]);
    grid->AppendRow(entry);
  }
  grid->SetFocusedRow(0);
  grid->SelectRow(0);
  grid->SetFocus();
  if (argc > 2) grid->EditNode(2, 2);

  SetTimer(host.Handle(), 1, static_cast<UINT>(seconds * 1000), nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == host.Handle()) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
