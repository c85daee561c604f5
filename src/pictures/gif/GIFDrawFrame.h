#pragma once
// Draws one frame of a GIF picture onto a canvas: scaled into a rectangle
// that stands for the whole logical screen, or tiled over it at the frame's
// natural size; with transparency through the frame's mask.
#include "gui/Canvas.h"
#include "pictures/gif/GIFCompose.h"
#include "pictures/gif/GIFImage.h"

struct TGIFImageRender;

// The frame's place when the logical screen is scaled into rect, each
// product divided with rounding. Rect itself when the screen has no size.
TRect GIFScaledFrameRect(const TGIFSubImage& frame, const TRect& rect);

// Calls place(x, y) for every tile of the frame over rect: the frame's
// offset from rect's top left, repeated at the logical screen's size.
template <class F>
void ForEachFrameTile(const TGIFSubImage& frame, const TRect& rect, F&& place) {
  GIFForEachTile(frame.Image().GetWidth(), frame.Image().GetHeight(), frame.Left(), frame.Top(), rect, place);
}

// Draws the frame: scaled into rect (rect stands for the logical screen),
// or tiled; transparent pixels left out when transparent is set and the
// frame has a mask.
void GIFFrameDraw(TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool tiled, bool transparent);
// Draws the frame's bitmap into rect as it is (tiled: at each tile).
void GIFFrameStretchDraw(TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool tiled, bool transparent);
void GIFFrameStretchDraw(TGIFImageRender& state, TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool tiled,
                         bool transparent);
void GIFFrameDraw(TGIFImageRender& state, TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool tiled,
                  bool transparent);
