#pragma once
// The windows' pictures and glyphs as the program's resources hold them.
#include <windows.h>

#include "gui/GdiHandles.h"

class TPicture;

// Loads GIF data (an RT_RCDATA resource) into the picture through the
// picture system, by type name. A picture that is missing or cannot be read
// leaves the picture empty: a missing decoration is no reason to refuse a
// window.
void LoadGifResource(TPicture& picture, int id);

// A bitmap resource as a DIB section; empty if missing.
TBitmapOwner LoadGlyphResource(int id);
