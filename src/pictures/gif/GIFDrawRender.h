#pragma once
// Turns a frame's colour indices into a bitmap of the picture system and,
// for transparent frames, a monochrome mask (1 = transparent). Both are
// built on first use and kept with the frame.
#include <windows.h>

#include "gui/Bitmap.h"
#include "pictures/gif/GIFImage.h"

struct TGIFImageRender;

// The frame's bitmap, built on first use (plainly, or through the
// dithering renderer when the picture's options ask for it). Null for an
// empty frame, and when a progress handler aborted the building.
TBitmap* GIFFrameBitmap(TGIFSubImage& frame);
TBitmap* GIFFrameBitmap(TGIFImageRender& state, TGIFSubImage& frame);

// Whether the frame has a mask. A transparent frame that has not been
// rendered with its mask yet is rendered again first.
bool GIFFrameHasMask(TGIFSubImage& frame);
bool GIFFrameHasMask(TGIFImageRender& state, TGIFSubImage& frame);
// The mask, or null.
HBITMAP GIFFrameMask(const TGIFSubImage& frame);

// Bytes per row of a mask of this width: 16-bit aligned.
inline int GIFMaskRowLength(int width) { return ((width + 15) >> 4) * 2; }
