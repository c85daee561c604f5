#pragma once
// The screen: the cursor that hand-pointing controls show (the program puts
// the system's hand cursor there at start) and the work areas of the
// screens.
#include <windows.h>

HCURSOR HandPointCursor();
void SetHandPointCursor(HCURSOR cursor);

// The work area (the screen less the task bar) of the screen nearest point.
RECT WorkAreaNear(POINT point);
// The work area of the screen that a window of place is most on.
RECT WorkAreaOf(const RECT& place);
// Where a window of place's size goes to stand inside the work area of the
// screen it is most on, as near to place as it can.
POINT KeepInWorkArea(const RECT& place);
