#pragma once
// The picture system's base class. Portable: the canvas it draws on is a
// Windows object (gui/Canvas.h) and is only named here, so picture readers
// build and run natively as well.
#include <cstdint>
#include <functional>

#include "gui/GraphicError.h"
#include "gui/Stream.h"

class TCanvas;

struct TPoint {
  int X = 0;
  int Y = 0;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

// A palette handle of the platform (HPALETTE on Windows), or null.
using TPaletteHandle = void*;

class TGraphic {
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;
  virtual ~TGraphic() = default;

  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual bool GetEmpty() const = 0;
  virtual void SetWidth(int) {}
  virtual void SetHeight(int) {}
  virtual TPaletteHandle GetPalette() const { return nullptr; }
  virtual void SetPalette(TPaletteHandle) {}
  // Draws the picture into rect of the canvas (Windows builds only).
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
  // Whether the next Draw covers all of its rectangle with opaque pixels,
  // so that what lies beneath need not be painted first.
  virtual bool DrawsOpaque() const { return false; }

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { transparent_ = value; }

  // Raised whenever the picture's look changes (a new frame, new data).
  std::function<void(TGraphic&)> OnChange;
  // Raised while a picture loads or decodes: stage 0 start, 1 running, 2 end;
  // percent done; whether the caller should repaint now.
  std::function<void(TGraphic&, int stage, int percent, bool redrawNow)> OnProgress;

  virtual void Changed() {
    if (OnChange) OnChange(*this);
  }

 protected:
  void Progress(int stage, int percent, bool redrawNow) {
    if (OnProgress) OnProgress(*this, stage, percent, redrawNow);
  }

 private:
  bool transparent_ = false;
};
