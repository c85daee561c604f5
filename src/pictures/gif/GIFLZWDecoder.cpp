#include "pictures/gif/GIFLZWDecoder.h"

#include <cstring>

#include "pictures/gif/GIFException.h"

TGIFLZWDecoder::TGIFLZWDecoder(TGIFCodeReader& reader, int minCodeSize)
    : reader_(reader), minCodeSize_(minCodeSize), clear_(1 << (minCodeSize & 15)), end_(clear_ + 1) {
  // Larger sizes would put the clear and end codes beyond the table.
  if (minCodeSize < 0 || minCodeSize > MaxMinCodeSize) throw GIFException(GIFMessage::InvalidData);
  // Entries below the clear code stand for themselves; all others start
  // empty. Later resets only need to undo the entries added since.
  std::memset(prefix_, 0, sizeof prefix_);
  std::memset(suffix_, 0, sizeof suffix_);
  for (int i = 0; i < clear_; ++i) suffix_[i] = std::uint8_t(i);
  // The clear and end codes must never look like stored strings; other
  // lengths are written before they are read.
  length_[clear_] = length_[end_] = 0;
  next_ = clear_ + 2;
  width_ = minCodeSize_ + 1;
  threshold_ = 2 * clear_;
}

int TGIFLZWDecoder::NextCode() {
  if (ended_) return -2;
  return reader_.Read(width_);
}

void TGIFLZWDecoder::Decode(TGIFPixelPlacer& out) {
  if (!out.Full()) Run(out);
  // Values of the last code that did not fit stand in for the extra fetch.
  if (dropped_ == 0) ExtraFetch();
}

void TGIFLZWDecoder::ResetTable() {
  for (int i = clear_ + 2; i < next_; ++i) {
    prefix_[i] = 0;
    suffix_[i] = 0;
  }
  width_ = minCodeSize_ + 1;
  threshold_ = 2 * clear_;
  next_ = clear_ + 2;
}

void TGIFLZWDecoder::EndCode() {
  if (!reader_.ZeroBlockSeen()) reader_.SkipRest();
  ended_ = true;
}

void TGIFLZWDecoder::Run(TGIFPixelPlacer& out) {
  started_ = true;
  // Every frame starts with a table reset, whether or not its data begins
  // with a clear code.
  int code = clear_;
  for (;;) {
    if (code == clear_) {
      ResetTable();
      do code = NextCode();
      while (code == clear_);
      if (code < 0) return;
      StartAfterClear(code, out);
    } else if (code == end_) {
      EndCode();
      return;
    } else {
      Step(code, out);
    }
    if (out.Full()) return;
    code = walkOnly_ ? NextCode() : FastRun(out);
    if (code < 0) return;
  }
}

namespace {

// Copies count bytes in 16-byte pieces: the last piece may write (and read)
// up to 15 bytes beyond, which the callers leave room for.
inline void CopyOver(std::uint8_t* to, const std::uint8_t* from, std::size_t count) {
  for (std::size_t i = 0; i < count; i += 16) {
    std::uint8_t piece[16];
    std::memcpy(piece, from + i, 16);
    std::memcpy(to + i, piece, 16);
  }
}

}  // namespace

int TGIFLZWDecoder::FastRun(TGIFPixelPlacer& out) {
  // The common codes, with the hot state in locals: stores to the pixels go
  // through a byte pointer, which the compiler must assume may change any
  // member. Returns the first code this loop leaves to Step (or a negative
  // value when the data has ended). Writes stay 16 bytes short of the row's
  // end, so the 16-byte pieces never reach beyond it; the bytes they write
  // past a string are overwritten by the next string or by the final fill.
  const std::uint8_t* const bits = reader_.buffer_;
  int bit = reader_.curBit_;
  int last = reader_.lastBit_;
  std::uint8_t* const base = out.Base();
  std::uint8_t* cur = out.Cursor();
  std::uint8_t* const end = out.End();
  const std::size_t size = out.Size();
  const int clear = clear_;
  int width = width_;
  int threshold = threshold_;
  int next = next_;
  int old = old_;
  std::uint8_t first = first_;
  const std::uint8_t* prev = prev_;
  std::size_t prevLength = prevLength_;
  bool prevWhole = prevWhole_;

  int code;
  for (;;) {
    if (bit + width < last) {
      const std::uint8_t* p = bits + (bit >> 3);
      const std::uint32_t raw = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
      code = int((raw >> (bit & 7)) & ((1u << width) - 1));
      bit += width;
    } else {
      reader_.curBit_ = bit;
      code = reader_.Read(width);
      bit = reader_.curBit_;
      last = reader_.lastBit_;
      if (code < 0) break;
    }

    std::uint8_t* const start = cur;
    std::size_t length;
    const std::size_t room = std::size_t(end - cur);
    if (code < clear) {
      if (room <= 1) break;
      *cur++ = std::uint8_t(code);
      first = std::uint8_t(code);
      length = 1;
    } else if (code < next && (length = length_[code]) != 0 && length + 16 <= room &&
               where_[code] + length + 16 <= size) {
      const std::uint8_t* from = base + where_[code];
      first = from[0];
      CopyOver(cur, from, length);
      cur += length;
    } else if (code == next && prevWhole && prevLength + 17 <= room &&
               std::size_t(prev - base) + prevLength + 16 <= size) {
      // The previous string followed by its own first value.
      first = prev[0];
      CopyOver(cur, prev, prevLength);
      cur[prevLength] = first;
      length = prevLength + 1;
      cur += length;
    } else {
      break;
    }

    if (next < TableSize) {
      prefix_[next] = std::uint16_t(old);
      suffix_[next] = first;
      if (prevWhole && prev + prevLength == start) {
        where_[next] = std::uint32_t(prev - base);
        length_[next] = std::uint16_t(prevLength + 1);
      } else {
        length_[next] = 0;
      }
      ++next;
      if (next >= threshold && threshold < TableSize) {
        threshold *= 2;
        ++width;
      }
    }
    old = code;
    prev = start;
    prevLength = length;
    prevWhole = true;
  }

  reader_.curBit_ = bit;
  out.MoveTo(cur);
  width_ = width;
  threshold_ = threshold;
  next_ = next;
  old_ = old;
  first_ = first;
  prev_ = prev;
  prevLength_ = prevLength;
  prevWhole_ = prevWhole;
  return code;
}

void TGIFLZWDecoder::StartAfterClear(int code, TGIFPixelPlacer& out) {
  // The first code after a clear is placed as it is, even when it is not a
  // plain value; then its table string is not what was placed.
  old_ = code;
  first_ = std::uint8_t(code);
  walkOnly_ = code >= clear_;
  prev_ = out.Cursor();
  prevLength_ = 1;
  prevWhole_ = true;
  out.Put(first_);
}

const std::uint8_t* TGIFLZWDecoder::Expand(int code, std::size_t& count) {
  std::uint8_t* const top = stack_ + TableSize;
  std::uint8_t* p = top;
  if (code >= next_) {
    *--p = first_;
    code = old_;
  }
  // A valid chain never visits more entries than the table has, so a full
  // stack means the chain runs in a circle.
  while (code >= clear_) {
    if (p == stack_) throw GIFException(GIFMessage::CircularTable);
    *--p = suffix_[code];
    const int up = prefix_[code];
    if (up == code) throw GIFException(GIFMessage::CircularTable);
    code = up;
  }
  if (p == stack_) throw GIFException(GIFMessage::CircularTable);
  *--p = suffix_[code];
  first_ = *p;
  count = std::size_t(top - p);
  return p;
}

void TGIFLZWDecoder::Step(int code, TGIFPixelPlacer& out) {
  std::uint8_t* const start = out.Cursor();
  std::uint8_t* const base = out.Base();
  const std::size_t room = out.Room();
  if (code < clear_) {
    // A plain value, the most common code.
    out.Put(std::uint8_t(code));
    Added(code, std::uint8_t(code), start, 1, true, base);
    return;
  }
  const std::uint8_t* from;
  std::size_t length;
  if (!walkOnly_ && code < next_ && length_[code] != 0) {
    from = base + where_[code];
    length = length_[code];
  } else if (!walkOnly_ && code == next_ && prevWhole_ && prevLength_ < room) {
    // The previous string followed by its own first value.
    length = prevLength_ + 1;
    std::memcpy(start, prev_, prevLength_);
    start[prevLength_] = prev_[0];
    out.Commit(length);
    Added(code, start[0], start, length, true, base);
    return;
  } else {
    // A code beyond the table repeats the previous string; what it stands
    // for later is not what it produced now.
    if (code > next_) walkOnly_ = true;
    from = Expand(code, length);
  }
  const std::uint8_t first = from[0];
  dropped_ = out.Place(from, length);
  Added(code, first, start, length, length <= room, base);
}

void TGIFLZWDecoder::Added(int code, std::uint8_t first, std::uint8_t* start, std::size_t length, bool whole,
                           const std::uint8_t* base) {
  if (next_ < TableSize) {
    prefix_[next_] = std::uint16_t(old_);
    suffix_[next_] = first;
    // The new entry's string is the previous output followed by this one's
    // first value: when both stand side by side, it can be copied later.
    if (!walkOnly_ && prevWhole_ && prev_ + prevLength_ == start) {
      where_[next_] = std::uint32_t(prev_ - base);
      length_[next_] = std::uint16_t(prevLength_ + 1);
    } else {
      length_[next_] = 0;
    }
    ++next_;
    if (next_ >= threshold_ && threshold_ < TableSize) {
      threshold_ *= 2;
      ++width_;
    }
  }
  old_ = code;
  first_ = first;
  prev_ = start;
  prevLength_ = length;
  prevWhole_ = whole;
}

void TGIFLZWDecoder::ExtraFetch() {
  int code = started_ ? NextCode() : clear_;
  if (code < 0) return;
  if (code == clear_) {
    ResetTable();
    do code = NextCode();
    while (code == clear_);
    if (code >= 0) {
      old_ = code;
      first_ = std::uint8_t(code);
    }
    return;
  }
  if (code == end_) {
    EndCode();
    return;
  }
  std::size_t length = 0;
  const std::uint8_t first = Expand(code, length)[0];
  walkOnly_ = true;
  Added(code, first, nullptr, length, false, nullptr);
}
