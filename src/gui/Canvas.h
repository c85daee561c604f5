#pragma once
// A drawing surface over a Windows device context. The canvas either borrows
// a DC (a window's paint DC) or owns one (a memory DC). Brush, pen and copy
// mode are plain settings applied per drawing call, so the canvas never
// leaves its own GDI objects selected into a DC it does not own.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>

#include "gui/Color.h"
#include "gui/GdiHandles.h"
#include "gui/Graphic.h"

enum class TBrushStyle { Solid, Clear };

struct TBrush {
  TColor Color = RGBColor(255, 255, 255);
  TBrushStyle Style = TBrushStyle::Solid;
};

struct TPen {
  TColor Color = RGBColor(0, 0, 0);
  int Width = 1;
};

class TCanvas {
 public:
  // A canvas without a DC; drawing calls do nothing until SetHandle.
  TCanvas() = default;
  // Borrows dc, or owns it (DeleteDC at the end) when owns is true.
  explicit TCanvas(HDC dc, bool owns = false);
  // A canvas on a new memory DC compatible with the screen.
  static std::unique_ptr<TCanvas> CreateMemory();
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  bool HandleAllocated() const { return dc_ != nullptr; }
  // Replaces the DC; an owned previous DC is deleted.
  void SetHandle(HDC dc, bool owns = false);

  TBrush Brush;
  TPen Pen;
  // The raster operation of CopyRect and of bitmap drawing.
  DWORD CopyMode = SRCCOPY;

  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(const TRect& rect);
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // Draws the graphic at its own size with its top left corner at (x, y).
  void Draw(int x, int y, TGraphic& graphic);
  // Draws the graphic scaled into rect.
  void StretchDraw(const TRect& rect, TGraphic& graphic);
  // Copies src of another canvas into dst of this one, scaling as needed.
  void CopyRect(const TRect& dst, TCanvas& source, const TRect& src);

  // Raised after every drawing call.
  std::function<void(TCanvas&)> OnChange;
  virtual void Changed();

  // Serialises drawing between the GUI thread and painter threads. Re-entrant.
  void Lock() { mutex_.lock(); }
  void Unlock() { mutex_.unlock(); }
  bool TryLock() { return mutex_.try_lock(); }

 private:
  void ReleaseHandle();

  HDC dc_ = nullptr;
  bool owns_ = false;
  std::recursive_mutex mutex_;
};

// Holds a canvas lock for a scope.
class TCanvasLock {
 public:
  explicit TCanvasLock(TCanvas& canvas) : canvas_(canvas) { canvas_.Lock(); }
  ~TCanvasLock() { canvas_.Unlock(); }
  TCanvasLock(const TCanvasLock&) = delete;
  TCanvasLock& operator=(const TCanvasLock&) = delete;

 private:
  TCanvas& canvas_;
};

inline RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
