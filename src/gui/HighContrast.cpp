#include "gui/HighContrast.h"

#include <windows.h>

namespace {
std::optional<bool> stated;
}

bool HighContrastOn() {
  if (stated) return *stated;
  HIGHCONTRASTW info{};
  info.cbSize = sizeof info;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof info, &info, 0) && (info.dwFlags & HCF_HIGHCONTRASTON);
}

void StateHighContrast(std::optional<bool> on) { stated = on; }
