#pragma once
// A top-level window with a panel filling it, for placing controls on, and
// helpers to read back what a control paints.
#include <windows.h>

#include <memory>

#include "widgets/PaintBuffer.h"
#include "widgets/Panel.h"

class THostWindow {
 public:
  explicit THostWindow(int width = 700, int height = 500);
  ~THostWindow();
  THostWindow(const THostWindow&) = delete;
  THostWindow& operator=(const THostWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  // The parent for controls under test.
  HWND Panel() const { return panel_->Handle(); }
  TPanel& PanelControl() { return *panel_; }

 private:
  HWND hwnd_ = nullptr;
  std::unique_ptr<TPanel> panel_;
};

// Runs the queued messages of this thread.
void PumpMessages();

// What window paints of its client area into a bitmap first filled with
// ground (WM_PRINTCLIENT with flags).
std::unique_ptr<TMemoryBitmap> Render(HWND window, COLORREF ground = RGB(255, 255, 255), UINT flags = PRF_CLIENT);

inline COLORREF PixelAt(const TMemoryBitmap& bitmap, int x, int y) { return GetPixel(bitmap.DC(), x, y); }
