#pragma once
// A band filled with a gradient in a fixed number of colour steps (the
// headers of the panels and of the About window). No caption, no bevel.
//
//   TGradientBand fil(pnl, {0, 0, 641, 41}, SystemColor(COLOR_BTNFACE), SystemColor(COLOR_BTNSHADOW), 126);
//   TGradientBand about(frm, {0, 0, 370, 89}, SystemColor(COLOR_BTNSHADOW), SystemColor(COLOR_BTNFACE), 164,
//                       gstDiagonalUp);
//
// In high contrast the band is the system's button face, no gradient.
// The band puts itself at the bottom of the z-order: it is a backdrop, and
// labels and pictures placed on it paint it beneath themselves.
#include "gui/Color.h"
#include "widgets/GraphicControl.h"

enum TGradientStyle {
  gstHorizontal,   // start colour at the left edge, end colour at the right
  gstVertical,     // start at the top, end at the bottom
  gstDiagonalUp,   // start at the bottom left corner, end towards the top right
  gstDiagonalDown  // start at the top left corner, end towards the bottom right
};

class TGradientBand : public TGraphicControl {
 public:
  TGradientBand(HWND parent, const TBounds& bounds, TColor startColor, TColor endColor, int colorSteps,
                TGradientStyle style = gstHorizontal);

  TColor StartColor() const { return start_; }
  TColor EndColor() const { return end_; }
  void SetColors(TColor startColor, TColor endColor);
  int ColorSteps() const { return steps_; }
  // At least 1 (a single step is a plain fill of the start colour).
  void SetColorSteps(int steps);
  TGradientStyle Style() const { return style_; }
  void SetStyle(TGradientStyle style);

  // The colour of step index (0 .. steps - 1) for the current colours.
  COLORREF StepColor(int index) const;
  // The step that the pixel at (x, y) of a width x height band belongs to.
  int StepAt(int x, int y, int width, int height) const;

 protected:
  void Paint(HDC dc, const RECT& client) override;

 private:
  void Changed();

  TColor start_;
  TColor end_;
  int steps_;
  TGradientStyle style_;
};
