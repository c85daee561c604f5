#include "GifWriter.h"

#include <algorithm>
#include <stdexcept>

namespace giftest {

void CodeWriter::Put(int code, int width) {
  bits_ |= std::uint32_t(code) << count_;
  count_ += width;
  while (count_ >= 8) {
    bytes_.push_back(std::uint8_t(bits_ & 0xFF));
    bits_ >>= 8;
    count_ -= 8;
  }
}

Bytes CodeWriter::Finish() const {
  Bytes out = bytes_;
  if (count_ > 0) out.push_back(std::uint8_t(bits_ & 0xFF));
  return out;
}

namespace {

// The string table of the encoder: (prefix code, value) -> code, in an
// open-addressed table that is emptied by bumping a generation number.
class Dictionary {
 public:
  Dictionary() : slots_(Size) {}
  void Clear() {
    if (++generation_ == 0) {
      for (auto& slot : slots_) slot.generation = 0;
      generation_ = 1;
    }
  }
  int Find(int prefix, int value) const {
    const std::uint32_t key = Key(prefix, value);
    for (std::uint32_t i = Hash(key);; i = (i + 1) & (Size - 1)) {
      const Slot& slot = slots_[i];
      if (slot.generation != generation_) return -1;
      if (slot.key == key) return slot.code;
    }
  }
  void Add(int prefix, int value, int code) {
    const std::uint32_t key = Key(prefix, value);
    std::uint32_t i = Hash(key);
    while (slots_[i].generation == generation_) i = (i + 1) & (Size - 1);
    slots_[i] = {key, std::uint16_t(code), generation_};
  }

 private:
  static constexpr std::uint32_t Size = 16384;  // at most 4096 entries: a quarter full
  struct Slot {
    std::uint32_t key = 0;
    std::uint16_t code = 0;
    std::uint32_t generation = 0;
  };
  static std::uint32_t Key(int prefix, int value) { return std::uint32_t(prefix) << 8 | std::uint32_t(value); }
  static std::uint32_t Hash(std::uint32_t key) { return (key * 2654435761u) >> 18; }
  std::vector<Slot> slots_;
  std::uint32_t generation_ = 1;
};

}  // namespace

Bytes LzwEncode(const std::vector<std::uint8_t>& pixels, const LzwOptions& options) {
  const int m = options.minCodeSize;
  const int clear = 1 << m;
  const int end = clear + 1;
  CodeWriter writer;
  Dictionary dictionary;
  int width = m + 1;
  int threshold = 2 * clear;
  int next = clear + 2;
  int decoderNext = clear + 2;
  bool firstAfterClear = true;
  long codes = 0;

  // Every code moves the width the way the reader will see it: the reader
  // adds an entry for each code but the first after a clear.
  auto emit = [&](int code) {
    writer.Put(code, width);
    if (code == clear) {
      width = m + 1;
      threshold = 2 * clear;
      next = decoderNext = clear + 2;
      firstAfterClear = true;
      dictionary.Clear();
      return;
    }
    if (code == end) return;
    ++codes;
    if (!firstAfterClear && decoderNext < 4096) {
      ++decoderNext;
      if (decoderNext >= threshold && threshold < 4096) {
        threshold *= 2;
        ++width;
      }
    }
    firstAfterClear = false;
  };

  if (options.leadingClear) emit(clear);
  if (!pixels.empty()) {
    int current = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
      const int value = pixels[i];
      const int found = dictionary.Find(current, value);
      if (found >= 0) {
        current = found;
        continue;
      }
      emit(current);
      if (options.clearEvery > 0 && codes % options.clearEvery == 0) {
        emit(clear);
      } else if (next < 4096) {
        dictionary.Add(current, value, next++);
      } else if (options.clearWhenFull) {
        emit(clear);
      }
      current = value;
    }
    emit(current);
  }
  if (options.endCode) emit(end);
  return writer.Finish();
}

Bytes SubBlocks(const Bytes& data, const std::vector<int>& sizes, bool terminate) {
  Bytes out;
  std::size_t pos = 0;
  std::size_t turn = 0;
  while (pos < data.size()) {
    const int size = sizes[std::min(turn++, sizes.size() - 1)];
    const std::size_t n = std::min(data.size() - pos, std::size_t(size));
    out.push_back(std::uint8_t(n));
    out.insert(out.end(), data.begin() + long(pos), data.begin() + long(pos + n));
    pos += n;
  }
  if (terminate) out.push_back(0);
  return out;
}

std::vector<std::uint8_t> InterlaceRows(const std::vector<std::uint8_t>& pixels, int width, int height) {
  std::vector<std::uint8_t> out;
  out.reserve(pixels.size());
  const int starts[] = {0, 4, 2, 1};
  const int steps[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = starts[pass]; y < height; y += steps[pass])
      out.insert(out.end(), pixels.begin() + long(y) * width, pixels.begin() + long(y + 1) * width);
  return out;
}

Bytes ColorMap(int count) {
  Bytes out;
  for (int i = 0; i < count; ++i) {
    out.push_back(std::uint8_t(i));
    out.push_back(std::uint8_t(255 - i));
    out.push_back(std::uint8_t(i / 2));
  }
  return out;
}

namespace {

int SizeCode(int count) {
  int code = 0;
  while ((2 << code) < count) ++code;
  return code;
}

void PutWord(Bytes& out, int value) {
  out.push_back(std::uint8_t(value & 0xFF));
  out.push_back(std::uint8_t((value >> 8) & 0xFF));
}

}  // namespace

GifBuilder& GifBuilder::Header(int width, int height, int globalColors, const std::string& signature, int background) {
  bytes_.insert(bytes_.end(), signature.begin(), signature.end());
  PutWord(bytes_, width);
  PutWord(bytes_, height);
  bytes_.push_back(globalColors > 0 ? std::uint8_t(0x80 | 0x70 | SizeCode(globalColors)) : 0);
  bytes_.push_back(std::uint8_t(background));
  bytes_.push_back(0);
  if (globalColors > 0) Raw(ColorMap(2 << SizeCode(globalColors)));
  return *this;
}

GifBuilder& GifBuilder::Raw(const Bytes& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

GifBuilder& GifBuilder::GraphicControl(int disposal, int delay, int transparentIndex) {
  bytes_.insert(bytes_.end(), {0x21, 0xF9, 4});
  bytes_.push_back(std::uint8_t((disposal << 2) | (transparentIndex >= 0 ? 1 : 0)));
  PutWord(bytes_, delay);
  bytes_.push_back(std::uint8_t(transparentIndex >= 0 ? transparentIndex : 0));
  bytes_.push_back(0);
  return *this;
}

GifBuilder& GifBuilder::Comment(const std::vector<std::string>& lines) {
  bytes_.insert(bytes_.end(), {0x21, 0xFE});
  for (const auto& line : lines) {
    bytes_.push_back(std::uint8_t(line.size()));
    bytes_.insert(bytes_.end(), line.begin(), line.end());
  }
  bytes_.push_back(0);
  return *this;
}

GifBuilder& GifBuilder::Application(const std::string& identifier, const std::vector<Bytes>& blocks) {
  bytes_.insert(bytes_.end(), {0x21, 0xFF, 11});
  std::string id = identifier;
  id.resize(11, ' ');
  bytes_.insert(bytes_.end(), id.begin(), id.end());
  for (const auto& block : blocks) {
    bytes_.push_back(std::uint8_t(block.size()));
    Raw(block);
  }
  bytes_.push_back(0);
  return *this;
}

GifBuilder& GifBuilder::Loop(int count, const std::string& identifier) {
  return Application(identifier, {{1, std::uint8_t(count & 0xFF), std::uint8_t(count >> 8)}});
}

void GifBuilder::Descriptor(int width, int height, const FrameOptions& options) {
  bytes_.push_back(0x2C);
  PutWord(bytes_, options.left);
  PutWord(bytes_, options.top);
  PutWord(bytes_, width);
  PutWord(bytes_, height);
  std::uint8_t packed = options.interlaced ? 0x40 : 0;
  if (options.localColors > 0) packed |= std::uint8_t(0x80 | SizeCode(options.localColors));
  bytes_.push_back(packed);
  if (options.localColors > 0) Raw(ColorMap(2 << SizeCode(options.localColors)));
}

GifBuilder& GifBuilder::Image(int width, int height, const std::vector<std::uint8_t>& pixels,
                              const FrameOptions& options) {
  const auto ordered = options.interlaced ? InterlaceRows(pixels, width, height) : pixels;
  Bytes data{std::uint8_t(options.lzw.minCodeSize)};
  const Bytes blocks = SubBlocks(LzwEncode(ordered, options.lzw), options.blockSizes);
  data.insert(data.end(), blocks.begin(), blocks.end());
  return ImageData(width, height, data, options);
}

GifBuilder& GifBuilder::ImageData(int width, int height, const Bytes& data, const FrameOptions& options) {
  Descriptor(width, height, options);
  return Raw(data);
}

GifBuilder& GifBuilder::Trailer() {
  bytes_.push_back(0x3B);
  return *this;
}

std::vector<std::uint8_t> NoisyPixels(int width, int height, int colors, unsigned seed) {
  std::vector<std::uint8_t> out(std::size_t(width) * std::size_t(height));
  unsigned state = seed * 2654435761u + 1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      state = state * 1103515245u + 12345u;
      const int noise = int((state >> 16) % 3);
      out[std::size_t(y) * std::size_t(width) + std::size_t(x)] = std::uint8_t((x / 7 + y / 5 + noise) % colors);
    }
  return out;
}

}  // namespace giftest
