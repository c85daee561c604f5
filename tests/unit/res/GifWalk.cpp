#include "GifWalk.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

class TCursor {
 public:
  explicit TCursor(const std::vector<std::uint8_t>& bytes) : Bytes(bytes) {}
  std::uint8_t Byte() {
    if (Pos >= Bytes.size()) throw std::runtime_error("GIF data ends early");
    return Bytes[Pos++];
  }
  int Word() {
    int lo = Byte();
    return lo | (Byte() << 8);
  }
  void Skip(std::size_t n) {
    if (Bytes.size() - Pos < n) throw std::runtime_error("GIF data ends early");
    Pos += n;
  }
  std::string Text(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += char(Byte());
    return s;
  }
  std::vector<std::uint8_t> SubBlocks() {
    std::vector<std::uint8_t> out;
    for (int len = Byte(); len != 0; len = Byte())
      for (int i = 0; i < len; ++i) out.push_back(Byte());
    return out;
  }

 private:
  const std::vector<std::uint8_t>& Bytes;
  std::size_t Pos = 0;
};

// Plain GIF LZW decoding with the usual code widening and clear codes.
std::vector<std::uint8_t> Unpack(const std::vector<std::uint8_t>& data, int minCodeSize, std::size_t limit) {
  if (minCodeSize < 2 || minCodeSize > 8) throw std::runtime_error("bad minimum code size");
  const int clear = 1 << minCodeSize, end = clear + 1;
  std::vector<int> prefix(4096, -1);
  std::vector<std::uint8_t> suffix(4096), first(4096);
  for (int i = 0; i < clear; ++i) suffix[i] = first[i] = std::uint8_t(i);
  std::vector<std::uint8_t> out, stack;
  int width = minCodeSize + 1, next = end + 1, previous = -1;
  std::size_t bit = 0;
  for (;;) {
    if (bit + width > data.size() * 8) throw std::runtime_error("LZW data ends without an end code");
    int code = 0;
    for (int i = 0; i < width; ++i, ++bit) code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
    if (code == clear) {
      width = minCodeSize + 1;
      next = end + 1;
      previous = -1;
      continue;
    }
    if (code == end) break;
    if (code > next || (code == next && previous < 0)) throw std::runtime_error("LZW code out of range");
    int walk = code == next ? previous : code;
    stack.clear();
    for (; walk >= 0; walk = walk >= clear ? prefix[walk] : -1) stack.push_back(suffix[walk]);
    std::uint8_t head = stack.back();
    if (code == next) stack.insert(stack.begin(), head);
    out.insert(out.end(), stack.rbegin(), stack.rend());
    if (out.size() > limit) throw std::runtime_error("LZW data holds more pixels than the frame");
    if (previous >= 0 && next < 4096) {
      prefix[next] = previous;
      suffix[next] = head;
      ++next;
      if (next == (1 << width) && width < 12) ++width;
    }
    previous = code;
  }
  return out;
}

}  // namespace

TGifFacts WalkGif(const std::vector<std::uint8_t>& bytes) {
  TCursor in(bytes);
  TGifFacts gif;
  gif.signature = in.Text(6);
  gif.width = in.Word();
  gif.height = in.Word();
  const int flags = in.Byte();
  gif.background = in.Byte();
  in.Byte();
  if (flags & 0x80) {
    gif.globalMapSize = 2 << (flags & 7);
    in.Skip(3u * gif.globalMapSize);
  }
  TGifFrameFacts pending;
  for (;;) {
    const int block = in.Byte();
    if (block == 0x3B) break;
    if (block == 0x21) {
      const int label = in.Byte();
      std::vector<std::uint8_t> body = in.SubBlocks();
      if (label == 0xF9) {
        if (body.size() != 4) throw std::runtime_error("graphic control extension of wrong size");
        ++pending.controlCount;
        pending.disposal = (body[0] >> 2) & 7;
        pending.transparent = body[0] & 1;
        pending.delay = body[1] | (body[2] << 8);
        pending.transparentIndex = body[3];
      } else if (label == 0xFF && body.size() >= 14 && std::string(body.begin(), body.begin() + 11) == "NETSCAPE2.0") {
        pending.hasLoop = true;
        pending.loopCount = body[12] | (body[13] << 8);
      }
      continue;
    }
    if (block != 0x2C) throw std::runtime_error("unknown block");
    TGifFrameFacts frame = pending;
    pending = TGifFrameFacts();
    frame.left = in.Word();
    frame.top = in.Word();
    frame.width = in.Word();
    frame.height = in.Word();
    const int imageFlags = in.Byte();
    frame.interlaced = imageFlags & 0x40;
    if (imageFlags & 0x80) {
      frame.localMapSize = 2 << (imageFlags & 7);
      in.Skip(3u * frame.localMapSize);
    }
    frame.minCodeSize = in.Byte();
    const std::size_t area = std::size_t(frame.width) * frame.height;
    frame.pixels = Unpack(in.SubBlocks(), frame.minCodeSize, area);
    gif.frames.push_back(std::move(frame));
  }
  return gif;
}

std::vector<std::uint8_t> ReadResFile(const std::string& name) {
  std::ifstream file(std::string(DV_RES_DIR) + "/" + name, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + name);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
