#pragma once

// Whole files are held in memory as byte buffers; readers look at them through
// a view and check every read against its length.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace tamsel {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

inline ByteView asBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

inline std::string_view asText(ByteView bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Whether the bytes of `text` lie within those of `whole`, so that `text` can
// be kept as an offset into it. std::less_equal orders any two addresses,
// also those of different buffers.
inline bool liesWithin(std::string_view text, std::string_view whole) {
  const std::less_equal<const char*> notAfter;
  return notAfter(whole.data(), text.data()) && notAfter(text.data() + text.size(), whole.data() + whole.size());
}

// How many times `byte` occurs in `text`. Counted in lanes of one byte each,
// emptied before they can overflow, which compilers turn into vector code:
// several times the speed of std::count, whose count is as wide as a size.
inline std::size_t countByte(std::string_view text, char byte) {
  constexpr std::size_t kLanes = 16, kRounds = 255;
  std::size_t total = 0, i = 0;
  while (i < text.size()) {
    const std::size_t end = std::min(text.size(), i + kLanes * kRounds);
    std::uint8_t lanes[kLanes] = {};
    for (; i + kLanes <= end; i += kLanes) {
      for (std::size_t k = 0; k < kLanes; ++k) lanes[k] = static_cast<std::uint8_t>(lanes[k] + (text[i + k] == byte));
    }
    for (std::uint8_t lane : lanes) total += lane;
    for (; i < end; ++i) total += text[i] == byte;
  }
  return total;
}

}  // namespace tamsel
