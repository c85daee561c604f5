#include "app/PictureTypes.h"

#include "gui/Picture.h"
#include "pictures/gif/GIFImage.h"
#include "pictures/jpeg/JPEGPreview.h"
#include "pictures/jpeg/JPEGRegister.h"

void RegisterPictureTypes() {
  auto gif = [] { return std::unique_ptr<TGraphic>(std::make_unique<TGIFImage>()); };
  TPicture::RegisterClassName("TGIFImage", gif);
  TPicture::RegisterFileFormat(L"gif", L"GIF Image", gif);
  RegisterJPEGImage();
}

void FitPreview(TPicture& picture, int boxWidth, int boxHeight) {
  if (auto* jpeg = picture.GraphicAs<TJPEGImage>()) {
    FitJPEGToBox(*jpeg, boxWidth, boxHeight);
    jpeg->DIBNeeded();
  }
}

void FitThumbnail(TPicture& picture, int boxWidth, int boxHeight) {
  FitPreview(picture, boxWidth, boxHeight);
  if (auto* gif = picture.GraphicAs<TGIFImage>())
    gif->DrawOptions &= TGIFDrawOptions(~(GIFDrawOption::PaintAnimated | GIFDrawOption::PaintInThread));
}
