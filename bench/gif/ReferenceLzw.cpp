#include "ReferenceLzw.h"

namespace {

// Rows in the order the data fills them.
struct Rows {
  std::uint8_t* pixels;
  int width;
  int height;
  bool interlaced;
  int y = 0;
  int pass = 0;
  std::uint8_t* dst = nullptr;
  std::uint8_t* end = nullptr;
  int rowsLeft;

  Rows(std::uint8_t* p, int w, int h, bool i) : pixels(p), width(w), height(h), interlaced(i), rowsLeft(h) {
    dst = pixels;
    end = interlaced ? pixels + w : pixels + std::size_t(w) * std::size_t(h);
  }
  bool Next() {
    if (!interlaced || --rowsLeft == 0) return false;
    static const int start[] = {0, 4, 2, 1, 0};
    static const int step[] = {8, 8, 4, 2, 1};
    y += step[pass];
    while (y >= height) {
      ++pass;
      y = start[pass];
    }
    dst = pixels + std::size_t(y) * std::size_t(width);
    end = dst + width;
    return true;
  }
};

}  // namespace

std::size_t ReferenceDecode(const std::uint8_t* data, std::size_t size, std::uint8_t* out, int width, int height,
                            bool interlaced) {
  if (size < 1) return 0;
  const int m = data[0];
  if (m > 11) return 0;
  const std::uint8_t* p = data + 1;
  const std::uint8_t* const limit = data + size;
  int blockLeft = 0;

  std::uint16_t prefix[4096];
  std::uint8_t suffix[4096];
  std::uint8_t stack[4097];
  const int clear = 1 << m;
  const int endCode = clear + 1;
  for (int i = 0; i < clear; ++i) suffix[i] = std::uint8_t(i);
  int codeSize = m + 1;
  int mask = (1 << codeSize) - 1;
  int next = clear + 2;
  int old = -1;
  std::uint8_t first = 0;
  std::uint32_t acc = 0;
  int bits = 0;

  Rows rows(out, width, height, interlaced);
  std::size_t written = 0;
  const std::size_t total = std::size_t(width) * std::size_t(height);
  while (written < total) {
    while (bits < codeSize) {
      if (blockLeft == 0) {
        if (p >= limit || (blockLeft = *p++) == 0) return written;
      }
      if (p >= limit) return written;
      acc |= std::uint32_t(*p++) << bits;
      --blockLeft;
      bits += 8;
    }
    int code = int(acc & std::uint32_t(mask));
    acc >>= codeSize;
    bits -= codeSize;

    if (code == clear) {
      codeSize = m + 1;
      mask = (1 << codeSize) - 1;
      next = clear + 2;
      old = -1;
      continue;
    }
    if (code == endCode) break;

    std::uint8_t* sp = stack;
    if (old < 0) {
      first = std::uint8_t(code);
      *sp++ = first;
      old = code;
    } else {
      const int incoming = code;
      if (code >= next) {
        *sp++ = first;
        code = old;
      }
      while (code >= clear && sp < stack + 4096) {
        *sp++ = suffix[code];
        code = prefix[code];
      }
      first = suffix[code];
      *sp++ = first;
      if (next < 4096) {
        prefix[next] = std::uint16_t(old);
        suffix[next] = first;
        if (++next > mask && codeSize < 12) {
          ++codeSize;
          mask = (1 << codeSize) - 1;
        }
      }
      old = incoming;
    }
    // Copy the string out, last pushed first.
    while (sp > stack) {
      std::size_t n = std::size_t(sp - stack);
      if (n > std::size_t(rows.end - rows.dst)) n = std::size_t(rows.end - rows.dst);
      for (std::size_t k = 0; k < n; ++k) *rows.dst++ = *--sp;
      written += n;
      if (rows.dst == rows.end && !rows.Next()) return written;
    }
  }
  return written;
}
