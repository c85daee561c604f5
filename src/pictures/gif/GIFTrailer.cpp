#include "pictures/gif/GIFTrailer.h"

#include "pictures/gif/GIFException.h"
#include "pictures/gif/GIFStreamIO.h"

void TGIFTrailer::LoadFromStream(TStream& stream) {
  std::uint8_t byte = 0;
  if (gifio::ReadByte(stream, byte) && byte != Value) Warning(GIFWarningSeverity, GIFMessage::InvalidTrailer);
}
