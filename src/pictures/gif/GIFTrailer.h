#pragma once
// The ";" that closes a GIF file.
#include "pictures/gif/GIFItem.h"

class TGIFTrailer : public TGIFItem {
 public:
  static constexpr std::uint8_t Value = 0x3B;

  using TGIFItem::TGIFItem;
  // A missing trailer (end of data) is accepted; any other byte is reported.
  void LoadFromStream(TStream& stream) override;
};
