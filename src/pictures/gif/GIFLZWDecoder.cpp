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
    code = NextCode();
    if (code < 0) return;
  }
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
