#pragma once
// Quick previews of large photos: the picture is set to decode at the
// coarsest scale that still fills the preview box, so a 24-megapixel file
// decodes at 1/8 size (64 times fewer pixels) and appears at once.
#include <memory>
#include <string>

#include "pictures/jpeg/JPEGImage.h"
#include "pictures/jpeg/JPEGPreviewScale.h"

// Sets the decode scale of a loaded picture for a box of the given size.
// Decoded pixels are dropped if the scale changes.
void FitJPEGToBox(TJPEGImage& image, int boxWidth, int boxHeight);

// Loads a JPEG file for showing in a box of the given size. The header is
// read now (a broken file raises EJPEG); pixels are decoded on first draw.
std::unique_ptr<TJPEGImage> LoadJPEGPreview(const std::wstring& fileName, int boxWidth, int boxHeight);
