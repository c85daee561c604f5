// Loads arbitrary bytes as a GIF picture and composes every frame of its
// animation as the painter does (disposal, background restoring,
// transparency, tiling, loops and delays), under each option that changes
// the composition. Anything but a GIFException (or a crash, hang or
// runaway allocation) is a fault.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "pictures/gif/GIFCompose.h"

using namespace GIFDrawOption;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first byte picks the options, the second the target's size.
  const TGIFDrawOptions options = TGIFDrawOptions(
      PaintAnimated | (data[0] & 1 ? PaintTransparent : 0) | (data[0] & 2 ? PaintTiled : 0) |
      (data[0] & 4 ? PaintLooped : 0) | (data[0] & 8 ? PaintClearOnLoop : 0) | (data[0] & 16 ? PaintLoopForever : 0));
  TGIFImage image;
  image.MemoryLimit = std::size_t(1) << 20;
  image.AnimationSpeed = data[0] & 32 ? 100 : int(std::int8_t(data[1]));
  image.OnWarning = [](TGIFImage&, TGIFItem*, int, const std::string&) {};
  TBufferStream stream(data + 2, size - 2);
  try {
    image.LoadFromStream(stream);
  } catch (const GIFException&) {
  }
  // A target at the screen's size when that is small, else scaled down.
  const int width = std::clamp(data[1] & 0x80 ? image.GetWidth() : (data[1] & 0x3F) + 1, 1, 64);
  const int height = std::clamp(data[1] & 0x80 ? image.GetHeight() : (data[1] & 0x3F) / 2 + 1, 1, 64);
  TGIFComposer composer(image, options, width, height, 0x123456);
  try {
    composer.Run(64);
  } catch (const GIFException&) {
  }
  return 0;
}
