#pragma once
// Shrinks a loaded picture to the size it is shown at, so that a preview of
// a large GIF renders, draws and animates at that size and not at the
// file's. Every frame keeps its colours, transparency, timing and disposal;
// its pixels are sampled (each shown pixel takes the file's pixel at its
// centre) on one grid for the whole logical screen, so frames still meet
// without seams. Portable.
#include "pictures/gif/GIFImage.h"

// Fits the logical screen into boxWidth x boxHeight, keeping its aspect
// ratio; a picture that fits already is left as it is. The picture keeps
// no file bytes afterwards: what it holds is no longer that file. Each row
// is a cancellation point (EAbort).
void FitGIFToBox(TGIFImage& image, int boxWidth, int boxHeight);
