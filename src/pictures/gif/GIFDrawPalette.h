#pragma once
// Palettes of GIF pictures and frames. The handles that the frame and
// picture palettes return stay owned by the drawing state (cached there).
#include <windows.h>

#include "gui/GdiHandles.h"
#include "pictures/gif/GIFImage.h"

// A new logical palette with the map's colours (flags PC_NOCOLLAPSE); empty
// for an empty map.
TPaletteOwner ExportColorMapPalette(const TGIFColorMap& map);
// A new palette of the 216-colour cube: levels 0, 51, ..., 255, entry
// r x 36 + g x 6 + b.
TPaletteOwner CreateColorCubePalette();

// The frame's palette: its bitmap's, else the one cached, else the cube when
// the picture dithers, else the picture's when the frame has no local map,
// else its local map's.
HPALETTE GIFFramePalette(const TGIFSubImage& frame);
// The picture's palette. Raises "No global or local color table defined"
// when neither the global map nor frame 0 has colours.
HPALETTE GIFImagePalette(const TGIFImage& image);

// The same with the picture's drawing state given (painters hold it).
struct TGIFImageRender;
HPALETTE GIFFramePalette(TGIFImageRender& state, const TGIFSubImage& frame);
HPALETTE GIFImagePalette(TGIFImageRender& state);
