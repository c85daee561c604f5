#include "gui/Color.h"

#ifdef _WIN32
#include <windows.h>
#endif

TColor ColorToRGB(TColor color) {
  if ((color & SystemColorFlag) != SystemColorFlag) return color & 0x00FFFFFFu;
#ifdef _WIN32
  return static_cast<TColor>(GetSysColor(static_cast<int>(color & 0xFF)));
#else
  return 0;
#endif
}
