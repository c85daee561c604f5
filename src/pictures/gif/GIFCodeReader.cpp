#include "pictures/gif/GIFCodeReader.h"

#include <algorithm>
#include <cstring>

#include "pictures/gif/GIFException.h"
#include "pictures/gif/GIFImage.h"
#include "pictures/gif/GIFItem.h"

TGIFCodeReader::TGIFCodeReader(TBufferStream& stream, TGIFItem& owner)
    : data_(stream.Data()),
      size_(stream.Length()),
      pos_(stream.Cursor()),
      owner_(owner),
      cancel_(owner.Image().CancelFlag()) {}

inline bool TGIFCodeReader::Refill() {
  if (done_) {
    if (curBit_ >= lastBit_) owner_.Warning(GIFWarningSeverity, GIFMessage::BitBufferUnderrun);
    return false;
  }
  CheckCancel(cancel_);
  buffer_[0] = buffer_[lastByte_ - 2];
  buffer_[1] = buffer_[lastByte_ - 1];

  if (pos_ >= size_) return false;
  int count = data_[pos_++];
  if (count > 0) {
    const std::size_t left = size_ - pos_;
    if (left < std::size_t(count)) {
      owner_.Warning(GIFWarningSeverity, GIFMessage::PrematureEnd);
      count = int(left);
    }
    if (count == 1)
      buffer_[2] = data_[pos_];
    else
      std::memcpy(buffer_ + 2, data_ + pos_, std::size_t(count));
    pos_ += std::size_t(count);
  } else {
    zeroBlockSeen_ = true;
    done_ = true;
  }
  lastByte_ = 2 + count;
  curBit_ = curBit_ - lastBit_ + 16;
  lastBit_ = (2 + count) * 8;
  return true;
}

bool TGIFCodeReader::Fill(int width) {
  // A one-byte sub-block brings only 8 new bits, so a wider code can reach
  // into the sub-block after it as well (the two carried bytes hold its
  // start meanwhile). Taking the code without them would read stale bytes
  // and let the bit position run past the buffer.
  do {
    if (!Refill()) return false;
  } while (curBit_ + width > lastBit_ && !done_);
  return true;
}

void TGIFCodeReader::SkipRest() {
  while (pos_ < size_ && data_[pos_] != 0) {
    CheckCancel(cancel_);
    pos_ = std::min(size_, pos_ + 1 + data_[pos_]);
  }
  if (pos_ < size_) ++pos_;  // the terminator
  // The data has been passed; reading on would take the next block for
  // image data.
  zeroBlockSeen_ = true;
  done_ = true;
}
