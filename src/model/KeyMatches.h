#pragma once

// Finds equal texts in long lists by sorting their hashes, which stays fast
// and cache-friendly where a hash map per list would chase pointers.

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace tamsel {

// For each of `probes`, the first position in `keys` that holds an equal
// text, or npos; empty texts match nothing. firstMatches(keys, keys) gives
// each key the first position of its text (its own when it is the first).
std::vector<std::size_t> firstMatches(std::span<const std::string_view> keys,
                                      std::span<const std::string_view> probes);

}  // namespace tamsel
