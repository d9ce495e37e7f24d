#pragma once

// The byte layout of a Helmvard primer file (.nsub): a 6-byte header, then one
// variable-length record per primer up to the end of the file. Integers are
// big-endian; texts are UTF-8.
//
// Record: a 128-byte zero-padded name, an 18-byte parameter block, four
// length-prefixed strings (sequence, base codes, end-match mask, comment) and
// an 8-byte zero trailer.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tamsel::nsub {

// Header: the tag "VERS" and two format bytes that are written but never checked.
inline constexpr std::uint32_t kTag = 0x56455253;  // "VERS"
inline constexpr std::array<std::uint8_t, 6> kHeader{0x56, 0x45, 0x52, 0x53, 0x01, 0x10};
inline constexpr std::size_t kHeaderSize = kHeader.size();

inline constexpr std::size_t kNameFieldSize = 128;
// The writer leaves the last byte of the name field zero.
inline constexpr std::size_t kMaxWrittenNameBytes = kNameFieldSize - 1;

inline constexpr std::size_t kParameterBlockSize = 18;
inline constexpr std::size_t kEndMatchesOffset = 4;
inline constexpr std::size_t kDefaultMismatchesOffset = 5;
inline constexpr std::size_t kLengthOffset = 6;
inline constexpr std::size_t kSelectedOffset = 10;
inline constexpr std::size_t kLengthCopyOffset = 14;
// The two length bytes of the block saturate here.
inline constexpr std::size_t kLengthCap = 255;

// From the start of a record to its first length-prefixed string.
inline constexpr std::size_t kFixedPartSize = kNameFieldSize + kParameterBlockSize;
inline constexpr std::size_t kLengthPrefixSize = 2;
inline constexpr std::size_t kMaxStringBytes = 0xFFFF;
inline constexpr std::size_t kTrailerSize = 8;

}  // namespace tamsel::nsub
