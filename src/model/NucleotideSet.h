#pragma once

// The bases an IUPAC letter stands for, as a 4-bit set: A=1, C=2, G=4, T=8
// (U is T), the ambiguity codes their unions (N=15). Either case.

#include <array>
#include <cstdint>

namespace tamsel {

inline constexpr std::uint8_t kBaseA = 1, kBaseC = 2, kBaseG = 4, kBaseT = 8;

namespace detail {
inline constexpr std::array<std::uint8_t, 26> kNucleotideSets = {
    1,  14, 2, 13, 0, 0,  4, 11, 0, 0,  12, 0, 3,   // A to M
    15, 0,  0, 0,  5, 6,  8, 8,  7, 9,  0,  10, 0,  // N to Z
};
}  // namespace detail

// 0 for anything that is not an IUPAC letter.
constexpr std::uint8_t nucleotideSet(char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return 0;
  return detail::kNucleotideSets[static_cast<std::size_t>(letter - 'A')];
}

// The complementary set: A<->T, C<->G, bit for bit.
constexpr std::uint8_t complementSet(std::uint8_t set) {
  return static_cast<std::uint8_t>(((set & kBaseA) << 3) | ((set & kBaseC) << 1) | ((set & kBaseG) >> 1) |
                                   ((set & kBaseT) >> 3));
}

}  // namespace tamsel
