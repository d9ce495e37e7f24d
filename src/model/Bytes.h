#pragma once

// Whole files are held in memory as byte buffers; readers look at them through
// a view and check every read against its length.

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

}  // namespace tamsel
