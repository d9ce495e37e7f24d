#pragma once

// Whole files are held in memory as byte buffers; readers look at them through
// a view and check every read against its length.

#include <cstdint>
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

}  // namespace tamsel
