#pragma once
// The start of a GIF file: signature, logical screen descriptor and the
// global colour map.
#include <cstdint>

#include "pictures/gif/GIFColorMap.h"
#include "pictures/gif/GIFItem.h"

// The logical screen descriptor as it stands in the file.
struct TGIFScreenDescriptor {
  std::uint16_t ScreenWidth = 0;
  std::uint16_t ScreenHeight = 0;
  // bit 7: a global colour map follows; bits 4-6: colour resolution;
  // bit 3: sorted; bits 0-2: map size code.
  std::uint8_t PackedFields = 0;
  std::uint8_t BackgroundColorIndex = 0;
  std::uint8_t AspectRatio = 0;
};

class TGIFHeader : public TGIFItem {
 public:
  explicit TGIFHeader(TGIFImage& image) : TGIFItem(image), colorMap_(*this) {}

  // Reads the signature (also 4 bytes further on, for data with a 4-byte
  // prefix), the screen descriptor and the global colour map.
  void LoadFromStream(TStream& stream) override;
  void Clear();

  const TGIFScreenDescriptor& Descriptor() const { return descriptor_; }
  TGIFScreenDescriptor& Descriptor() { return descriptor_; }
  int Width() const { return descriptor_.ScreenWidth; }
  int Height() const { return descriptor_.ScreenHeight; }
  int BackgroundColorIndex() const { return descriptor_.BackgroundColorIndex; }
  TGIFGlobalColorMap& ColorMap() { return colorMap_; }
  const TGIFGlobalColorMap& ColorMap() const { return colorMap_; }

 private:
  TGIFScreenDescriptor descriptor_;
  TGIFGlobalColorMap colorMap_;
};
