#pragma once
// Drawing and animation of GIF pictures on the picture system (Windows).
// TGIFImage::Draw is the entry for owners of a picture: a picture of one
// frame is drawn with its transparency; a picture of several frames is
// animated by a painter thread that paints into the picture's internal
// bitmap, and every repaint copies that bitmap. Each paint raises the
// picture's change notification, which makes the owner repaint.
//
// Clearing, loading or destroying the picture stops its painters and waits
// for them; on the GUI thread the wait keeps serving the calls that painters
// hand over, so it never deadlocks.
#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "pictures/gif/GIFImage.h"
#include "pictures/gif/GIFPainter.h"

// The internal bitmap, made when missing: frame 0 at the logical screen's
// size. Null for a picture without frames.
TBitmap* GIFImageBitmap(TGIFImage& image);
// Draws the internal bitmap into rect: stretched, or tiled at the logical
// screen's size with PaintTiled.
void GIFImageBitmapDraw(TGIFImage& image, TCanvas& canvas, const TRect& rect);

// Stops the painter that the picture's own drawing started and waits for
// it, then frees the internal bitmap.
void StopDrawPainter(TGIFImage& image);
// Stops every painter of the picture and waits for them, then frees the
// internal bitmap.
void StopAllPainters(TGIFImage& image);

// The painter started by the picture's drawing, or null.
TGIFPainter* GIFDrawPainter(const TGIFImage& image);
// How many painters the picture has now.
int GIFPainterCount(const TGIFImage& image);
