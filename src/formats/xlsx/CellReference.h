#pragma once

// Column numbers from cell references such as B7, $C$5 or c3.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tamsel::xlsx {

// Zero-based column of a reference: every letter counts, in order, as a digit
// of base 26 (A = 1 after upper-casing); digits, "$" and anything else are
// skipped wherever they stand. A1 gives 0, AA1 26, A1B 27; no letter gives -1.
// Very long references saturate instead of overflowing.
std::int64_t columnIndex(std::string_view reference);

// The column of a usable reference: one to three letters and at most column
// XFD (16383). Nothing for anything else (no "r", "0", "ABCD1", "XFE1").
std::optional<std::uint32_t> referencedColumn(std::string_view reference);

}  // namespace tamsel::xlsx
