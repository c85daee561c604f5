#include "JPEGPhotoDecode.h"
#include "pictures/jpeg/JPEGPreview.h"

// The bytes come from a memory stream, as the picture system's loader hands
// them over; loading (which keeps a copy and reads the header) is part of
// what showing a picture costs.
void OursLoad(const std::vector<std::uint8_t>& file) {
  TBufferStream stream(file.data(), file.size());
  TJPEGImage image;
  image.LoadFromStream(stream);
}

void OursFullDecode(const std::vector<std::uint8_t>& file) {
  TBufferStream stream(file.data(), file.size());
  TJPEGImage image;
  image.LoadFromStream(stream);
  image.DIBNeeded();
}

unsigned OursPreviewDecode(const std::vector<std::uint8_t>& file, int boxWidth, int boxHeight) {
  TBufferStream stream(file.data(), file.size());
  TJPEGImage image;
  image.LoadFromStream(stream);
  FitJPEGToBox(image, boxWidth, boxHeight);
  image.DIBNeeded();
  return 1u << static_cast<int>(image.Scale());
}
