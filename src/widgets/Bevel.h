#pragma once
// Edge lines drawn in the platform's 3D colours.
//
//   TDrawnEdge bvl(pnl, {8, 16, 204, 5});              // sunken outer line along the top (group headings)
//   TBevel bvl1(frm, {8, 80, 353, 9}, bsBottomLine);   // lowered line along the bottom
//
// Both are transparent: only the lines are painted.
#include "widgets/GraphicControl.h"

// Edge kinds and sides as DrawEdge takes them (BDR_*, BF_*).
class TDrawnEdge : public TGraphicControl {
 public:
  TDrawnEdge(HWND parent, const TBounds& bounds, UINT edge = BDR_SUNKENOUTER, UINT sides = BF_TOP);

  UINT Edge() const { return edge_; }
  UINT Sides() const { return sides_; }
  void SetEdge(UINT edge, UINT sides);

 protected:
  void Paint(HDC dc, const RECT& client) override;

 private:
  UINT edge_;
  UINT sides_;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  TBevel(HWND parent, const TBounds& bounds, TBevelShape shape = bsBox, TBevelStyle style = bsLowered);

  TBevelShape Shape() const { return shape_; }
  TBevelStyle Style() const { return style_; }
  void SetShape(TBevelShape shape, TBevelStyle style);

 protected:
  void Paint(HDC dc, const RECT& client) override;

 private:
  TBevelShape shape_;
  TBevelStyle style_;
};
