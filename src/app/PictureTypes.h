#pragma once
// Registers the program's picture types with the picture system: by file
// extension for the Add dialog's preview, and by type name for the window
// descriptions, which hold their pictures as type name and bytes.
void RegisterPictureTypes();
