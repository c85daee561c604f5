#include "app/PictureTypes.h"

#include "gui/Picture.h"
#include "pictures/gif/GIFDrawRender.h"
#include "pictures/gif/GIFFit.h"
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
  if (auto* gif = picture.GraphicAs<TGIFImage>()) {
    FitGIFToBox(*gif, boxWidth, boxHeight);
    // The first frame's bitmap and mask are made here too; an animation
    // makes the others on its painter thread.
    if (gif->Images().Count() > 0 && !gif->Images()[0].Empty()) {
      GIFFrameBitmap(gif->Images()[0]);
      GIFFrameHasMask(gif->Images()[0]);
    }
    // Drawing is batched per thread: done before another thread uses them.
    GdiFlush();
  }
}

void FitThumbnail(TPicture& picture, int boxWidth, int boxHeight) {
  FitPreview(picture, boxWidth, boxHeight);
  if (auto* gif = picture.GraphicAs<TGIFImage>())
    gif->DrawOptions &= TGIFDrawOptions(~(GIFDrawOption::PaintAnimated | GIFDrawOption::PaintInThread));
}
