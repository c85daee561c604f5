#include "pictures/jpeg/JPEGRegister.h"

#include "gui/GdiHandles.h"
#include "gui/Picture.h"
#include "pictures/jpeg/JPEGImage.h"

namespace {
std::unique_ptr<TGraphic> NewJPEGImage() { return std::make_unique<TJPEGImage>(); }
}  // namespace

void RegisterJPEGImage() {
  {
    TScreenDC screen;
    const int bits = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
    TJPEGImage::DefaultPixelFormat = bits <= 8 ? TJPEGPixelFormat::jf8Bit : TJPEGPixelFormat::jf24Bit;
  }
  TPicture::RegisterFileFormat(L"jpeg", JPEGImageFileDescription, NewJPEGImage);
  TPicture::RegisterFileFormat(L"jpg", JPEGImageFileDescription, NewJPEGImage);
  TPicture::RegisterClassName("TJPEGImage", NewJPEGImage);
}

void UnregisterJPEGImage() {
  TPicture::UnregisterFileFormat(L"jpeg");
  TPicture::UnregisterFileFormat(L"jpg");
  TPicture::UnregisterClassName("TJPEGImage");
}
