#pragma once
// One frame of a GIF picture: image descriptor, local colour map, the
// extensions that came before it, and its pixels as colour indices.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "pictures/gif/GIFColorMap.h"
#include "pictures/gif/GIFExtension.h"
#include "pictures/gif/GIFItem.h"
#include "pictures/gif/GIFRender.h"

class TGIFGraphicControlExtension;

// The image descriptor as it stands in the file.
struct TGIFImageDescriptor {
  std::uint8_t Separator = 0x2C;
  std::uint16_t Left = 0;
  std::uint16_t Top = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  // bit 7: a local colour map follows; bit 6: interlaced; bit 5: sorted;
  // bits 0-2: map size code.
  std::uint8_t PackedFields = 0;
};

class TGIFSubImage : public TGIFItem {
 public:
  static constexpr std::uint8_t Separator = 0x2C;  // ","

  explicit TGIFSubImage(TGIFImage& image);
  ~TGIFSubImage() override;

  // Reads the frame's extensions, then (unless the trailer or the end of the
  // data comes first) its descriptor, local colour map and pixels.
  void LoadFromStream(TStream& stream) override;
  void Clear();
  std::string GetVersion() const override;

  // No pixels, or a width or height of 0.
  bool Empty() const { return !data_ || Width() == 0 || Height() == 0; }

  const TGIFImageDescriptor& Descriptor() const { return descriptor_; }
  int Left() const { return descriptor_.Left; }
  int Top() const { return descriptor_.Top; }
  int Width() const { return descriptor_.Width; }
  int Height() const { return descriptor_.Height; }
  bool Interlaced() const { return (descriptor_.PackedFields & 0x40) != 0; }

  // Width x height colour indices, rows from the top, no padding.
  const std::uint8_t* Data() const { return data_.get(); }
  std::size_t DataSize() const { return dataSize_; }
  // Row y (0 = top); null for an empty frame.
  const std::uint8_t* ScanLine(int y) const {
    return data_ ? data_.get() + std::size_t(y) * std::size_t(Width()) : nullptr;
  }

  TGIFLocalColorMap& ColorMap() { return colorMap_; }
  const TGIFLocalColorMap& ColorMap() const { return colorMap_; }
  // The local map if it has entries, else the global map if that has
  // entries, else the (empty) local map.
  const TGIFColorMap& ActiveColorMap() const;

  TGIFExtensionList& Extensions() { return extensions_; }
  const TGIFExtensionList& Extensions() const { return extensions_; }
  // Set when a graphic control extension of this frame gives a transparent
  // colour.
  bool Transparent() const { return transparent_; }
  // The first graphic control extension read for this frame, or null.
  TGIFGraphicControlExtension* GraphicControlExtension() const { return graphicControl_; }

  // Gives the frame new pixels (width x height, rows from the top) at a new
  // place, as a picture fitted into a box has them (GIFFit.h). Its drawing
  // state goes with the old pixels.
  void ReplacePixels(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                     std::unique_ptr<std::uint8_t[]> data);

  // The drawing code's state for this frame; dropped whenever the frame is
  // cleared.
  std::unique_ptr<TGIFFrameRender, TGIFRenderRelease> Render;

 private:
  friend class TGIFGraphicControlExtension;

  void ReadDescriptor(TStream& stream);
  void DecodePixels(TStream& stream);

  std::unique_ptr<std::uint8_t[]> data_;
  std::size_t dataSize_ = 0;
  TGIFLocalColorMap colorMap_;
  TGIFImageDescriptor descriptor_;
  TGIFExtensionList extensions_;
  bool transparent_ = false;
  TGIFGraphicControlExtension* graphicControl_ = nullptr;
};

// The frames of a picture.
class TGIFImageList : public TGIFList<TGIFSubImage> {
 public:
  using TGIFList::TGIFList;
  // Reads blocks up to the trailer; the trailer itself is left for the
  // picture to read.
  void LoadFromStream(TStream& stream);
};
