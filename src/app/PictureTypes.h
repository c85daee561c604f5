#pragma once
// Registers the program's picture types with the picture system: by file
// extension for the Add dialog's preview, and by type name for the window
// descriptions, which hold their pictures as type name and bytes.
void RegisterPictureTypes();

class TPicture;
// Prepares a picture loaded for a preview box of the given size: a JPEG
// photo decodes at the smallest scale that still fills the box.
void FitPreview(TPicture& picture, int boxWidth, int boxHeight);
