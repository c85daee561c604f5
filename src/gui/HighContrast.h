#pragma once
// The system's high-contrast mode. While it is on, the program's own
// drawing (bands, lettering, row shading, the track bar, flat buttons)
// keeps to the system's colours: no gradients, no raised or sunken
// lettering, no colours of its own.
#include <optional>

// Whether high contrast is on: the system's answer unless a test stated it.
bool HighContrastOn();

// States the mode for the program's drawing (nullopt: the system's answer
// again). Wine can neither switch high contrast (its SPI_SETHIGHCONTRAST
// fails) nor report it on, so tests of the high-contrast look state it
// here; the program itself never calls this.
void StateHighContrast(std::optional<bool> on);
