#include "JPEGPhotoDecode.h"
#include "pictures/jpeg/JPEGPreview.h"

// The loaded picture; every decode is done by a new picture that shares its
// bytes, as the picture system hands out copies of a loaded picture.
struct TOursPhoto::TLoaded {
  TJPEGImage Image;
};

TOursPhoto::TOursPhoto(const std::vector<std::uint8_t>& file) : loaded_(std::make_unique<TLoaded>()) {
  TBufferStream stream(file.data(), file.size());
  loaded_->Image.LoadFromStream(stream);
}

TOursPhoto::~TOursPhoto() = default;

void TOursPhoto::Load(const std::vector<std::uint8_t>& file) {
  TBufferStream stream(file.data(), file.size());
  TJPEGImage image;
  image.LoadFromStream(stream);
}

void TOursPhoto::DecodeFull() {
  TJPEGImage image;
  image.Assign(loaded_->Image);
  image.DIBNeeded();
}

unsigned TOursPhoto::DecodePreview(int boxWidth, int boxHeight) {
  TJPEGImage image;
  image.Assign(loaded_->Image);
  FitJPEGToBox(image, boxWidth, boxHeight);
  image.DIBNeeded();
  return 1u << static_cast<int>(image.Scale());
}
