#include "pictures/gif/GIFStreamIO.h"

#include <algorithm>

#include "pictures/gif/GIFException.h"

namespace gifio {

bool ReadNonZeroByte(TStream& stream, std::uint8_t& value) {
  do {
    if (!ReadByte(stream, value)) return false;
  } while (value == 0);
  return true;
}

void ReadExact(TStream& stream, void* buffer, std::size_t count) {
  if (count != 0 && stream.Read(buffer, count) != count) throw GIFException(GIFMessage::PrematureEnd);
}

std::uint8_t ReadExactByte(TStream& stream) {
  std::uint8_t value = 0;
  ReadExact(stream, &value, 1);
  return value;
}

void SkipForward(TStream& stream, std::int64_t count) {
  const std::int64_t pos = stream.Position();
  const std::int64_t size = stream.Size();
  stream.SetPosition(std::max(pos, std::min(size, pos + count)));
}

}  // namespace gifio
