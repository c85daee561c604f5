#pragma once
// Registers the program's picture types with the picture system: by file
// extension for the Add dialog's preview, and by type name for the window
// descriptions, which hold their pictures as type name and bytes.
void RegisterPictureTypes();

class TPicture;
// Prepares a picture loaded for a preview box of the given size: a JPEG
// photo decodes now, at the smallest scale that still fills the box; a GIF
// is shrunk to the box and its first frame rendered. Called on the worker
// that loads the preview, so neither holds up a window.
void FitPreview(TPicture& picture, int boxWidth, int boxHeight);
// The same for a thumbnail, which is drawn once into a small bitmap: an
// animated GIF gives its first frame and starts no animation.
void FitThumbnail(TPicture& picture, int boxWidth, int boxHeight);
