#pragma once
// Tells screen readers that something changed in a control: WinEvents for
// the control's client object, with item 0 for the control itself and the
// item's child id for one of its items (a list's row + 1). Cheap when no
// screen reader listens.
#include <windows.h>

class TControl;

// event is one of the EVENT_OBJECT_* values (focus, selection, name or
// value change, reorder).
void NotifyAccessible(const TControl& control, DWORD event, int item = 0);
