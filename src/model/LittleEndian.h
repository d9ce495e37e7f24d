#pragma once

// Little-endian integers in byte buffers. Reads are bounds-checked: one that
// would run past the end yields 0, so damaged files degrade instead of
// crashing. Writes append to a growing buffer.

#include <cstdint>
#include <cstring>

#include "model/Bytes.h"

namespace tamsel::le {

inline bool fits(ByteView bytes, std::size_t offset, std::size_t width) {
  return offset <= bytes.size() && bytes.size() - offset >= width;
}

inline std::uint8_t u8(ByteView bytes, std::size_t offset) {
  return offset < bytes.size() ? bytes[offset] : 0;
}

inline std::uint16_t u16(ByteView bytes, std::size_t offset) {
  if (!fits(bytes, offset, 2)) return 0;
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t u32(ByteView bytes, std::size_t offset) {
  if (!fits(bytes, offset, 4)) return 0;
  return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

inline std::int32_t i32(ByteView bytes, std::size_t offset) {
  return static_cast<std::int32_t>(u32(bytes, offset));
}

inline double f64(ByteView bytes, std::size_t offset) {
  std::uint64_t bits = u32(bytes, offset) | (static_cast<std::uint64_t>(u32(bytes, offset + 4)) << 32);
  if (!fits(bytes, offset, 8)) bits = 0;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline void appendU16(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendU32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void storeU32(Bytes& out, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace tamsel::le
