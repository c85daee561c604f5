#pragma once
// The registry settings store of the main window: every setting of the
// engine, the grid's column widths and the Add dialog's folder, under
// HKEY_CURRENT_USER\Software\Quillon\Dorvane\Settings.
class TfrmDorvane;

// Moves the stored values into the window's controls. Absent values leave
// the controls as the window description made them. A registry error ends
// the load at that value and is reported in a message box.
void LoadSettings(TfrmDorvane& form);

// Writes the maker key, the product key and every setting, then brings the
// start-up entry in line with its check box. A registry error ends the save
// at that step and is reported in a message box.
void SaveSettings(TfrmDorvane& form);
