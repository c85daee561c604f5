#include "app/PictureTypes.h"

#include "gui/Picture.h"
#include "pictures/gif/GIFImage.h"

void RegisterPictureTypes() {
  auto gif = [] { return std::unique_ptr<TGraphic>(std::make_unique<TGIFImage>()); };
  TPicture::RegisterClassName("TGIFImage", gif);
  TPicture::RegisterFileFormat(L"gif", L"GIF Image", gif);
}
