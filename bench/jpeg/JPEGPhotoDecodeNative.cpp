#include "JPEGPhotoDecode.h"
#include "pictures/jpeg/JPEGDecoder.h"
#include "pictures/jpeg/JPEGPreviewScale.h"
#include "pictures/jpeg/JPEGRaster.h"

// The portable decoder reads the bytes where they are: there is nothing to
// load but the header.
void OursLoad(const std::vector<std::uint8_t>& file) { TJPEGDecoder::ReadHeader(file.data(), file.size()); }

void OursFullDecode(const std::vector<std::uint8_t>& file) {
  TJPEGRaster raster;
  TJPEGDecoder decoder(file.data(), file.size(), {});
  decoder.Decode(raster);
}

unsigned OursPreviewDecode(const std::vector<std::uint8_t>& file, int boxWidth, int boxHeight) {
  const TJPEGHeader header = TJPEGDecoder::ReadHeader(file.data(), file.size());
  TJPEGDecodeSettings settings;
  settings.Scale = PreviewScale(header.Width, header.Height, boxWidth, boxHeight);
  TJPEGRaster raster;
  TJPEGDecoder decoder(file.data(), file.size(), settings);
  decoder.Decode(raster);
  return 1u << static_cast<int>(settings.Scale);
}
