#pragma once
// The compressed bytes of a JPEG picture and what its header says. Pictures
// that were assigned from one another share one of these.
#include <memory>

#include "gui/Stream.h"

class TJPEGData {
 public:
  // The JPEG file; null when the picture has no compressed form yet.
  std::unique_ptr<TMemoryStream> Data;
  int Width = 0;
  int Height = 0;
  bool Grayscale = false;

  bool HasData() const { return Data != nullptr; }
  const std::uint8_t* Bytes() const { return Data ? Data->Memory() : nullptr; }
  std::size_t Size() const { return Data ? Data->Bytes().size() : 0; }
};

using TJPEGDataRef = std::shared_ptr<TJPEGData>;
