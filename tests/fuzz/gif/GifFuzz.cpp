// Loads arbitrary bytes as a GIF picture. Anything but a GIFException (or a
// crash, hang or runaway allocation) is a fault.
#include <cstddef>
#include <cstdint>

#include "pictures/gif/GIFImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TGIFImage image;
  // Big enough for every real case the fuzzer can reach, small enough to
  // keep each run fast.
  image.MemoryLimit = std::size_t(1) << 20;
  int warnings = 0;
  image.OnWarning = [&warnings](TGIFImage&, TGIFItem*, int, const std::string&) { ++warnings; };
  TBufferStream stream(data, size);
  try {
    image.LoadFromStream(stream);
  } catch (const GIFException&) {
  }
  // What the drawing code reads after a load.
  for (const auto& frame : image.Images()) {
    const TGIFColorMap& map = frame->ActiveColorMap();
    if (frame->Empty() || map.Count() == 0) continue;
    const std::uint8_t* pixels = frame->Data();
    for (std::size_t i = 0; i < frame->DataSize(); i += 97) (void)map.Colors(pixels[i]);
  }
  (void)image.Version();
  return 0;
}
