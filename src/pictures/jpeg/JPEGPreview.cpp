#include "pictures/jpeg/JPEGPreview.h"

void FitJPEGToBox(TJPEGImage& image, int boxWidth, int boxHeight) {
  image.SetScale(PreviewScale(image.Data()->Width, image.Data()->Height, boxWidth, boxHeight));
}

std::unique_ptr<TJPEGImage> LoadJPEGPreview(const std::wstring& fileName, int boxWidth, int boxHeight) {
  auto image = std::make_unique<TJPEGImage>();
  {
    TFileStream stream(fileName, TFileMode::OpenRead);
    image->LoadFromStream(stream);
  }
  FitJPEGToBox(*image, boxWidth, boxHeight);
  return image;
}
