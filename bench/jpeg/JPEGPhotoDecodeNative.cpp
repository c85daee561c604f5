#include "JPEGPhotoDecode.h"
#include "pictures/jpeg/JPEGDecoder.h"
#include "pictures/jpeg/JPEGPreviewScale.h"
#include "pictures/jpeg/JPEGRaster.h"

// The portable decoder reads the bytes where they are: loading is reading
// the header.
struct TOursPhoto::TLoaded {
  const std::vector<std::uint8_t>& File;
  TJPEGHeader Header;
};

TOursPhoto::TOursPhoto(const std::vector<std::uint8_t>& file)
    : loaded_(std::make_unique<TLoaded>(TLoaded{file, TJPEGDecoder::ReadHeader(file.data(), file.size())})) {}

TOursPhoto::~TOursPhoto() = default;

void TOursPhoto::Load(const std::vector<std::uint8_t>& file) { TJPEGDecoder::ReadHeader(file.data(), file.size()); }

void TOursPhoto::DecodeFull() {
  TJPEGRaster raster;
  TJPEGDecoder decoder(loaded_->File.data(), loaded_->File.size(), {});
  decoder.Decode(raster);
}

unsigned TOursPhoto::DecodePreview(int boxWidth, int boxHeight) {
  TJPEGDecodeSettings settings;
  settings.Scale = PreviewScale(loaded_->Header.Width, loaded_->Header.Height, boxWidth, boxHeight);
  TJPEGRaster raster;
  TJPEGDecoder decoder(loaded_->File.data(), loaded_->File.size(), settings);
  decoder.Decode(raster);
  return 1u << static_cast<int>(settings.Scale);
}
