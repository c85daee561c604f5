#include "pictures/gif/GIFDrawSettings.h"

#include <windows.h>

#include <atomic>

#include "gui/GdiHandles.h"

namespace {

bool ReadPaletteDisplay() {
  TScreenDC screen;
  if (!screen.Get()) return false;
  return GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES) < 9;
}

std::atomic<bool>& AutoDitherFlag() {
  static std::atomic<bool> flag{GIFPaletteDisplay()};
  return flag;
}

}  // namespace

bool GIFPaletteDisplay() {
  static const bool paletteDisplay = ReadPaletteDisplay();
  return paletteDisplay;
}

bool GIFAutoDither() { return AutoDitherFlag().load(); }

void SetGIFAutoDither(bool value) { AutoDitherFlag().store(value); }

bool GIFShouldDither(TGIFDrawOptions options) {
  using namespace GIFDrawOption;
  return (options & PaintDithered) && (!(options & PaintAutoDither) || GIFAutoDither());
}
