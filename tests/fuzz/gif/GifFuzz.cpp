// Loads arbitrary bytes as a GIF picture, once whole and once called off at
// its first warning. Anything but a GIFException or that EAbort (or a
// crash, hang, leak or runaway allocation) is a fault.
#include <cstddef>
#include <cstdint>

#include "pictures/gif/GIFImage.h"

namespace {

// Loads the bytes; with callOff, the first warning calls the load off, as a
// preview that is no longer wanted is.
void Load(const std::uint8_t* data, std::size_t size, bool callOff) {
  TCancelFlag flag;
  TCancelScope scope(&flag);
  TGIFImage image;
  // Big enough for every real case the fuzzer can reach, small enough to
  // keep each run fast.
  image.MemoryLimit = std::size_t(1) << 20;
  int warnings = 0;
  image.OnWarning = [&](TGIFImage&, TGIFItem*, int, const std::string&) {
    ++warnings;
    if (callOff) flag.Set();
  };
  TBufferStream stream(data, size);
  try {
    image.LoadFromStream(stream);
  } catch (const GIFException&) {
  } catch (const EAbort&) {
  }
  // What the drawing code reads after a load.
  for (const auto& frame : image.Images()) {
    const TGIFColorMap& map = frame->ActiveColorMap();
    if (frame->Empty() || map.Count() == 0) continue;
    const std::uint8_t* pixels = frame->Data();
    for (std::size_t i = 0; i < frame->DataSize(); i += 97) (void)map.Colors(pixels[i]);
  }
  (void)image.Version();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Load(data, size, false);
  Load(data, size, true);
  return 0;
}
