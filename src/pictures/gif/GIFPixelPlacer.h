#pragma once
// Hands out the pixel buffer of a frame in the order its image data fills
// it: the whole buffer at once, or row by row in the four interlace passes
// (every 8th row from row 0, every 8th from row 4, every 4th from row 2,
// every 2nd from row 1).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gui/Cancel.h"

class TGIFPixelPlacer {
 public:
  TGIFPixelPlacer(std::uint8_t* pixels, std::size_t width, std::size_t height, bool interlaced)
      : base_(pixels), width_(width), height_(height), interlaced_(interlaced), rowsLeft_(height) {
    if (width == 0 || height == 0) {
      full_ = true;
      return;
    }
    cur_ = pixels;
    end_ = pixels + (interlaced ? width : width * height);
  }

  std::uint8_t* Base() const { return base_; }
  std::uint8_t* Cursor() const { return cur_; }
  // End of the current row (of the whole buffer when not interlaced).
  std::uint8_t* End() const { return end_; }
  std::size_t Room() const { return std::size_t(end_ - cur_); }
  std::size_t Size() const { return width_ * height_; }
  // Takes values written directly up to cursor, which stays short of End().
  void MoveTo(std::uint8_t* cursor) { cur_ = cursor; }
  // True once every pixel has been placed.
  bool Full() const { return full_; }

  void Put(std::uint8_t value) {
    *cur_++ = value;
    if (cur_ == end_) NextRow();
  }
  // Gives every pixel not placed yet the value fill, a row at a time: each
  // row is a cancellation point (a frame may have hundreds of megabytes
  // that no data reached).
  void FillRest(std::uint8_t fill, const TCancelFlag* cancel) {
    while (!full_) {
      CheckCancel(cancel);
      const std::size_t inRow = width_ - std::size_t(cur_ - base_) % width_;
      const std::size_t count = interlaced_ ? Room() : std::min(Room(), inRow);
      std::memset(cur_, fill, count);
      cur_ += count;
      if (cur_ == end_) NextRow();
    }
  }
  // Takes count values that were written at the cursor directly; count must
  // not exceed Room().
  void Commit(std::size_t count) {
    cur_ += count;
    if (cur_ == end_) NextRow();
  }
  // Places count values; those that do not fit into the frame are dropped.
  // Returns how many were dropped.
  std::size_t Place(const std::uint8_t* values, std::size_t count) {
    for (;;) {
      const std::size_t room = Room();
      if (count < room) {
        std::memcpy(cur_, values, count);
        cur_ += count;
        return 0;
      }
      std::memcpy(cur_, values, room);
      values += room;
      count -= room;
      NextRow();
      if (full_) return count;
      if (count == 0) return 0;
    }
  }

 private:
  void NextRow() {
    if (!interlaced_ || --rowsLeft_ == 0) {
      full_ = true;
      cur_ = end_ = nullptr;
      return;
    }
    row_ += step_;
    while (row_ >= height_) {
      if (pass_ > 0) step_ /= 2;
      ++pass_;
      row_ = step_ / 2;
    }
    cur_ = base_ + row_ * width_;
    end_ = cur_ + width_;
  }

  std::uint8_t* base_;
  std::uint8_t* cur_ = nullptr;
  std::uint8_t* end_ = nullptr;
  std::size_t width_;
  std::size_t height_;
  bool interlaced_;
  bool full_ = false;
  std::size_t rowsLeft_;
  std::size_t row_ = 0;
  std::size_t step_ = 8;
  int pass_ = 0;
};
