#include "pictures/gif/GIFHeader.h"

#include "pictures/gif/GIFException.h"
#include "pictures/gif/GIFStreamIO.h"

namespace {

bool IsSignature(const std::uint8_t* bytes) {
  auto upper = [](std::uint8_t c) { return c >= 'a' && c <= 'z' ? std::uint8_t(c - 'a' + 'A') : c; };
  return upper(bytes[0]) == 'G' && upper(bytes[1]) == 'I' && upper(bytes[2]) == 'F';
}

}  // namespace

void TGIFHeader::LoadFromStream(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t signature[6];
  gifio::ReadExact(stream, signature, sizeof signature);
  if (!IsSignature(signature)) {
    // Some containers put a 4-byte length before the GIF data.
    stream.SetPosition(start + 4);
    gifio::ReadExact(stream, signature, sizeof signature);
    if (!IsSignature(signature)) throw GIFException(GIFMessage::InvalidSignature);
  }
  // The version bytes are not checked: the version is worked out from the
  // picture's contents.

  std::uint8_t raw[7];
  gifio::ReadExact(stream, raw, sizeof raw);
  descriptor_.ScreenWidth = gifio::Word(raw);
  descriptor_.ScreenHeight = gifio::Word(raw + 2);
  descriptor_.PackedFields = raw[4];
  descriptor_.BackgroundColorIndex = raw[5];
  descriptor_.AspectRatio = raw[6];

  if (descriptor_.PackedFields & 0x80)
    colorMap_.LoadFromStream(stream, 2 << (descriptor_.PackedFields & 7));
  else
    colorMap_.Clear();
}

void TGIFHeader::Clear() {
  descriptor_ = TGIFScreenDescriptor();
  colorMap_.Clear();
}
