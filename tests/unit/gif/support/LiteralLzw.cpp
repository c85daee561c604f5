#include "LiteralLzw.h"

#include <algorithm>
#include <stdexcept>

namespace giftest {

namespace {

class Literal {
 public:
  explicit Literal(const std::vector<std::uint8_t>& data) : data_(data) {}

  bool ReadByte(std::uint8_t& value) {
    if (pos_ >= data_.size()) return false;
    value = data_[pos_++];
    return true;
  }

  void Start(int m) {
    m_ = m;
    clear_ = 1 << m;
    end_ = clear_ + 1;
    width_ = m + 1;
    threshold_ = 2 * clear_;
    next_ = clear_ + 2;
  }

  int Fetch() {
    if (!stack_.empty()) {
      const int value = stack_.back();
      stack_.pop_back();
      return value;
    }
    return Step();
  }

  int warnings = 0;

 private:
  bool Refill() {
    if (done_) {
      if (cur_ >= last_) ++warnings;
      return false;
    }
    buffer_[0] = buffer_[lastByte_ - 2];
    buffer_[1] = buffer_[lastByte_ - 1];
    std::uint8_t size = 0;
    if (!ReadByte(size)) return false;
    int count = size;
    if (count > 0) {
      const int left = int(data_.size() - pos_);
      if (left < count) {
        ++warnings;
        count = left;
      }
      std::copy_n(data_.begin() + long(pos_), count, buffer_ + 2);
      pos_ += std::size_t(count);
    } else {
      zeroSeen_ = done_ = true;
    }
    lastByte_ = 2 + count;
    cur_ = cur_ - last_ + 16;
    last_ = (2 + count) * 8;
    return true;
  }

  int ReadCode() {
    if (clearFirst_) {
      clearFirst_ = false;
      return clear_;
    }
    if (ended_) return -2;
    if (cur_ + width_ >= last_) {
      if (!Refill()) return -1;
      while (cur_ + width_ > last_ && !done_)
        if (!Refill()) return -1;
    }
    int value = 0;
    for (int i = 0; i < width_; ++i) value |= ((buffer_[(cur_ + i) / 8] >> ((cur_ + i) % 8)) & 1) << i;
    cur_ += width_;
    return value;
  }

  void Push(int value) {
    if (stack_.size() >= 4096) throw std::runtime_error("Circular decoder table entry");
    stack_.push_back(value);
  }

  int Step() {
    int code = ReadCode();
    if (code < 0) return code;
    if (code == clear_) {
      for (int i = 0; i < 4096; ++i) {
        prefix_[i] = 0;
        suffix_[i] = i < clear_ ? i : 0;
      }
      width_ = m_ + 1;
      threshold_ = 2 * clear_;
      next_ = clear_ + 2;
      stack_.clear();
      do code = ReadCode();
      while (code == clear_);
      first_ = old_ = code;
      return code;
    }
    if (code == end_) {
      if (!zeroSeen_) {
        std::uint8_t size = 0;
        while (ReadByte(size) && size != 0) pos_ = std::min(data_.size(), pos_ + size);
        zeroSeen_ = done_ = true;
      }
      ended_ = true;
      return -2;
    }
    const int incoming = code;
    if (code >= next_) {
      Push(first_);
      code = old_;
    }
    while (code >= clear_) {
      Push(suffix_[code]);
      if (prefix_[code] == code) throw std::runtime_error("Circular decoder table entry");
      code = prefix_[code];
    }
    first_ = suffix_[code];
    Push(first_);
    if (next_ <= 4095) {
      prefix_[next_] = old_;
      suffix_[next_] = first_;
      ++next_;
      if (next_ >= threshold_ && threshold_ <= 4095) {
        threshold_ *= 2;
        ++width_;
      }
    }
    old_ = incoming;
    return Fetch();
  }

  const std::vector<std::uint8_t>& data_;
  std::size_t pos_ = 0;
  std::uint8_t buffer_[2 + 255 + 8] = {};
  int cur_ = 0, last_ = 0, lastByte_ = 2;
  bool done_ = false, zeroSeen_ = false, ended_ = false, clearFirst_ = true;
  int m_ = 0, clear_ = 0, end_ = 0, width_ = 0, threshold_ = 0, next_ = 0;
  int first_ = 0, old_ = 0;
  int prefix_[4096] = {};
  int suffix_[4096] = {};
  std::vector<int> stack_;
};

}  // namespace

LiteralResult LiteralDecode(const std::vector<std::uint8_t>& data, int width, int height, bool interlaced,
                            std::uint8_t fill) {
  LiteralResult result;
  result.pixels.assign(std::size_t(width) * std::size_t(height), fill);
  Literal decoder(data);
  try {
    std::uint8_t m = 0;
    if (!decoder.ReadByte(m)) return result;
    if (m > 11) {
      result.error = "Invalid GIF data";
      return result;
    }
    decoder.Start(m);
    if (!interlaced) {
      for (auto& pixel : result.pixels) {
        const int value = decoder.Fetch();
        if (value < 0) break;
        pixel = std::uint8_t(value);
      }
    } else {
      int pass = 0, step = 8, row = 0;
      bool stop = false;
      for (int n = 0; n < height && !stop; ++n) {
        for (int x = 0; x < width; ++x) {
          const int value = decoder.Fetch();
          if (value < 0) {
            stop = true;
            break;
          }
          result.pixels[std::size_t(row) * std::size_t(width) + std::size_t(x)] = std::uint8_t(value);
        }
        row += step;
        while (row >= height && step > 0) {
          if (pass > 0) step /= 2;
          ++pass;
          row = step / 2;
        }
      }
    }
    decoder.Fetch();
  } catch (const std::runtime_error& e) {
    result.error = e.what();
  }
  result.warnings = decoder.warnings;
  return result;
}

}  // namespace giftest
