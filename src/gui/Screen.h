#pragma once
// The screen object's cursor table: the cursor that hand-pointing controls
// show. The program puts the system's hand cursor there at start.
#include <windows.h>

HCURSOR HandPointCursor();
void SetHandPointCursor(HCURSOR cursor);
