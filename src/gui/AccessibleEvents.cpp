#include "gui/AccessibleEvents.h"

#include "gui/Control.h"

void NotifyAccessible(const TControl& control, DWORD event, int item) {
  if (control.Handle()) NotifyWinEvent(event, control.Handle(), OBJID_CLIENT, item);
}
