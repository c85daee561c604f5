#pragma once
// Small stream helpers of the GIF reader: single bytes that may be missing,
// exact reads that fail with "Premature end of data", and little-endian words.
#include <cstddef>
#include <cstdint>

#include "gui/Stream.h"

namespace gifio {

// Reads one byte; false at the end of the stream.
inline bool ReadByte(TStream& stream, std::uint8_t& value) { return stream.Read(&value, 1) == 1; }

// Reads one byte, skipping bytes of value 0; false at the end of the stream.
bool ReadNonZeroByte(TStream& stream, std::uint8_t& value);

// Reads exactly count bytes or raises GIFException("Premature end of data").
void ReadExact(TStream& stream, void* buffer, std::size_t count);
std::uint8_t ReadExactByte(TStream& stream);

inline void StepBack(TStream& stream) { stream.Seek(-1, TSeekOrigin::Current); }

// Moves count bytes forward, but never beyond the end of the stream.
void SkipForward(TStream& stream, std::int64_t count);

inline std::uint16_t Word(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t DWord(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

}  // namespace gifio
