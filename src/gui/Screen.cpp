#include "gui/Screen.h"

namespace {
HCURSOR handPoint = nullptr;
}  // namespace

HCURSOR HandPointCursor() {
  // Until the program sets one, the runtime's own: the arrow's pointing hand
  // shape is not in older systems, so fall back to the arrow.
  if (!handPoint) handPoint = LoadCursorW(nullptr, IDC_HAND);
  return handPoint ? handPoint : LoadCursorW(nullptr, IDC_ARROW);
}

void SetHandPointCursor(HCURSOR cursor) { handPoint = cursor; }
