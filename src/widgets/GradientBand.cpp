#include "widgets/GradientBand.h"

#include <vector>

#include "gui/HighContrast.h"
#include "widgets/Underneath.h"

TGradientBand::TGradientBand(HWND parent, const TBounds& bounds, TColor startColor, TColor endColor, int colorSteps,
                             TGradientStyle style)
    : start_(startColor), end_(endColor), steps_(colorSteps < 1 ? 1 : colorSteps), style_(style) {
  SetTransparent(false);
  CreateGraphic(L"DvGradientBand", parent, bounds);
  SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TGradientBand::SetColors(TColor startColor, TColor endColor) {
  start_ = startColor;
  end_ = endColor;
  Changed();
}

void TGradientBand::SetColorSteps(int steps) {
  steps_ = steps < 1 ? 1 : steps;
  Changed();
}

void TGradientBand::SetStyle(TGradientStyle style) {
  style_ = style;
  Changed();
}

void TGradientBand::Changed() {
  // Controls lying on the band paint it beneath themselves: repaint them too.
  if (HWND parent = ParentHandle()) {
    RECT r = BoundsRect();
    RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  } else {
    Invalidate();
  }
}

COLORREF TGradientBand::StepColor(int index) const {
  const COLORREF from = ToColorRef(start_);
  const COLORREF to = ToColorRef(end_);
  if (steps_ <= 1) return from;
  auto mix = [&](int a, int b) { return a + (b - a) * index / (steps_ - 1); };
  return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}

int TGradientBand::StepAt(int x, int y, int width, int height) const {
  // Position along the gradient's direction as a fraction num / den.
  long long num = 0;
  long long den = 1;
  switch (style_) {
    case gstHorizontal:
      num = x;
      den = width;
      break;
    case gstVertical:
      num = y;
      den = height;
      break;
    case gstDiagonalUp:
    case gstDiagonalDown: {
      // Corner to corner: the starting corner is step 0, the opposite one
      // the last step.
      const long long w = width > 1 ? width - 1 : 1;
      const long long h = height > 1 ? height - 1 : 1;
      const long long dy = style_ == gstDiagonalUp ? h - y : y;
      num = static_cast<long long>(x) * h + dy * w;
      den = 2 * w * h + 1;
      break;
    }
  }
  if (den <= 0) return 0;
  const long long step = num * steps_ / den;
  return static_cast<int>(step < 0 ? 0 : step >= steps_ ? steps_ - 1 : step);
}

void TGradientBand::Paint(HDC dc, const RECT& client) {
  const int width = client.right;
  const int height = client.bottom;
  if (width <= 0 || height <= 0) return;
  if (HighContrastOn()) {
    // No gradient: the system's face colour, under the labels on the band.
    RECT all = client;
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  std::vector<COLORREF> colors(static_cast<size_t>(steps_));
  for (int i = 0; i < steps_; ++i) colors[static_cast<size_t>(i)] = StepColor(i);

  if (style_ == gstHorizontal || style_ == gstVertical) {
    // Plain bands: one rectangle per run of equal steps.
    const int length = style_ == gstHorizontal ? width : height;
    int runStart = 0;
    for (int i = 1; i <= length; ++i) {
      const int stepHere =
          style_ == gstHorizontal ? StepAt(runStart, 0, width, height) : StepAt(0, runStart, width, height);
      const int stepNext =
          i < length ? (style_ == gstHorizontal ? StepAt(i, 0, width, height) : StepAt(0, i, width, height)) : -1;
      if (stepNext == stepHere) continue;
      RECT r = style_ == gstHorizontal ? RECT{runStart, 0, i, height} : RECT{0, runStart, width, i};
      FillRect(dc, &r, SolidBrush(colors[static_cast<size_t>(stepHere)]).get());
      runStart = i;
    }
    return;
  }

  // Diagonal bands: pixels of a 32-bit DIB, copied to the DC in one call.
  std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colors[static_cast<size_t>(StepAt(x, y, width, height))];
      pixels[static_cast<size_t>(y) * width + x] =
          (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
    }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height),
                    pixels.data(), &info, DIB_RGB_COLORS);
}
