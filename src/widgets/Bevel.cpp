#include "widgets/Bevel.h"

#include "widgets/PaintBuffer.h"

TDrawnEdge::TDrawnEdge(HWND parent, int left, int top, int width, int height, UINT edge, UINT sides)
    : edge_(edge), sides_(sides) {
  CreateGraphic(L"DvDrawnEdge", parent, left, top, width, height);
}

void TDrawnEdge::SetEdge(UINT edge, UINT sides) {
  edge_ = edge;
  sides_ = sides;
  Invalidate();
}

void TDrawnEdge::Paint(HDC dc, const RECT& client) {
  RECT r = client;
  DrawEdge(dc, &r, edge_, sides_);
}

TBevel::TBevel(HWND parent, int left, int top, int width, int height, TBevelShape shape, TBevelStyle style)
    : shape_(shape), style_(style) {
  CreateGraphic(L"DvBevel", parent, left, top, width, height);
}

void TBevel::SetShape(TBevelShape shape, TBevelStyle style) {
  shape_ = shape;
  style_ = style;
  Invalidate();
}

namespace {
void Line(HDC dc, COLORREF color, int x1, int y1, int x2, int y2) {
  TPenOwner pen(CreatePen(PS_SOLID, 1, color));
  TSelectObject select(dc, pen.get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}
}  // namespace

void TBevel::Paint(HDC dc, const RECT& client) {
  const int w = client.right;
  const int h = client.bottom;
  // A lowered line is a shadow line followed by a highlight line; a raised
  // line the other way round.
  COLORREF first = GetSysColor(COLOR_BTNSHADOW);
  COLORREF second = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (style_ == bsRaised) std::swap(first, second);
  switch (shape_) {
    case bsBox: {
      RECT r = client;
      DrawEdge(dc, &r, style_ == bsLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      break;
    }
    case bsFrame: {
      RECT r = client;
      DrawEdge(dc, &r, style_ == bsLowered ? EDGE_ETCHED : EDGE_BUMP, BF_RECT);
      break;
    }
    case bsTopLine:
      Line(dc, first, 0, 0, w, 0);
      Line(dc, second, 0, 1, w, 1);
      break;
    case bsBottomLine:
      Line(dc, first, 0, h - 2, w, h - 2);
      Line(dc, second, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      Line(dc, first, 0, 0, 0, h);
      Line(dc, second, 1, 0, 1, h);
      break;
    case bsRightLine:
      Line(dc, first, w - 2, 0, w - 2, h);
      Line(dc, second, w - 1, 0, w - 1, h);
      break;
  }
}
