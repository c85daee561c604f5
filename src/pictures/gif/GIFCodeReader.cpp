#include "pictures/gif/GIFCodeReader.h"

#include "pictures/gif/GIFException.h"
#include "pictures/gif/GIFItem.h"
#include "pictures/gif/GIFStreamIO.h"

TGIFCodeReader::TGIFCodeReader(TStream& stream, TGIFItem& owner)
    : stream_(stream), owner_(owner), streamSize_(stream.Size()) {}

bool TGIFCodeReader::Fill(int width) {
  if (!Refill()) return false;
  // A one-byte sub-block brings only 8 new bits, so a wider code can reach
  // into the sub-block after it as well (the two carried bytes hold its
  // start meanwhile). Taking the code without them would read stale bytes
  // and let the bit position run past the buffer.
  while (curBit_ + width > lastBit_ && !done_)
    if (!Refill()) return false;
  return true;
}

bool TGIFCodeReader::Refill() {
  if (done_) {
    if (curBit_ >= lastBit_) owner_.Warning(GIFWarningSeverity, GIFMessage::BitBufferUnderrun);
    return false;
  }
  buffer_[0] = buffer_[lastByte_ - 2];
  buffer_[1] = buffer_[lastByte_ - 1];

  std::uint8_t size = 0;
  if (!gifio::ReadByte(stream_, size)) return false;
  int count = size;
  if (count > 0) {
    const std::int64_t left = streamSize_ - stream_.Position();
    if (left < count) {
      owner_.Warning(GIFWarningSeverity, GIFMessage::PrematureEnd);
      count = left > 0 ? int(left) : 0;
    }
    gifio::ReadExact(stream_, buffer_ + 2, std::size_t(count));
  } else {
    zeroBlockSeen_ = true;
    done_ = true;
  }
  lastByte_ = 2 + count;
  curBit_ = curBit_ - lastBit_ + 16;
  lastBit_ = (2 + count) * 8;
  return true;
}

void TGIFCodeReader::SkipRest() {
  std::uint8_t size = 0;
  while (gifio::ReadByte(stream_, size) && size != 0) gifio::SkipForward(stream_, size);
  // The data has been passed; reading on would take the next block for
  // image data.
  zeroBlockSeen_ = true;
  done_ = true;
}
