#pragma once

// Column numbers from cell references such as B7, $C$5 or c3.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tamsel::xlsx {

inline constexpr std::int64_t kLastColumn = 16383;  // XFD

// Zero-based column of a reference: every letter counts, in order, as a digit
// of base 26 (A = 1 after upper-casing); digits, "$" and anything else are
// skipped wherever they stand. A1 gives 0, AA1 26, A1B 27; no letter gives -1.
// Very long references saturate instead of overflowing.
std::int64_t columnIndex(std::string_view reference);

// The column of a usable reference: one to three letters and at most column
// XFD (16383). Nothing for anything else (no "r", "0", "ABCD1", "XFE1").
std::optional<std::uint32_t> referencedColumnSlowly(std::string_view reference);

// The same, with nearly every reference (one to three letters and then
// digits) read inline, where the answer can stay in registers.
inline std::optional<std::uint32_t> referencedColumn(std::string_view reference) {
  std::uint32_t value = 0;
  std::size_t i = 0;
  for (unsigned letter; i < reference.size() && i < 3 &&
                        (letter = static_cast<unsigned>(static_cast<unsigned char>(reference[i]) | 0x20) - 'a') < 26;
       ++i) {
    value = value * 26 + letter + 1;
  }
  std::size_t digits = i;
  while (digits < reference.size() && static_cast<unsigned>(reference[digits] - '0') < 10) ++digits;
  if (i > 0 && digits == reference.size() && value - 1 <= kLastColumn) return value - 1;
  return referencedColumnSlowly(reference);
}

}  // namespace tamsel::xlsx
