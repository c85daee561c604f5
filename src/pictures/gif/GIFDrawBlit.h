#pragma once
// Copies a source into a destination, scaled, leaving the destination as it
// was wherever the monochrome mask has a 1 bit (the transparent pixels).
// The mask is selected into maskDC and has the source's size.
#include <windows.h>

void MaskedStretchBlit(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                       int srcHeight, HDC maskDC, int maskX, int maskY);
