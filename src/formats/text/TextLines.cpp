#include "formats/text/TextLines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "model/Unicode.h"

namespace tamsel {
namespace {

// Bytes that may start a line break: U+000A..U+000D, and the lead bytes of
// U+0085 (C2 85) and U+2028/U+2029 (E2 80 A8/A9).
constexpr std::array<bool, 256> kLineBreakLead = [] {
  std::array<bool, 256> table{};
  for (int c = 0x0A; c <= 0x0D; ++c) table[c] = true;
  table[0xC2] = true;
  table[0xE2] = true;
  return table;
}();

std::uint8_t byteAt(std::string_view text, std::size_t i) { return static_cast<std::uint8_t>(text[i]); }

}  // namespace

std::size_t lineBreakLength(std::string_view text, std::size_t i) {
  std::uint8_t c = byteAt(text, i);
  if (c >= 0x0A && c <= 0x0D) return 1;
  if (c == 0xC2) return i + 1 < text.size() && byteAt(text, i + 1) == 0x85 ? 2 : 0;
  if (c == 0xE2 && i + 2 < text.size() && byteAt(text, i + 1) == 0x80) {
    std::uint8_t last = byteAt(text, i + 2);
    return last == 0xA8 || last == 0xA9 ? 3 : 0;
  }
  return 0;
}

std::size_t lineEndLength(std::string_view text, std::size_t i) {
  return text.substr(i, 2) == "\r\n" ? 2 : lineBreakLength(text, i);
}

#if defined(__SSE2__)
std::size_t findLineBreak(std::string_view text, std::size_t from) {
  // Sixteen bytes at a time: the offsets of bytes that may start a line
  // break, each then checked in full.
  const __m128i first = _mm_set1_epi8(0x0A), span = _mm_set1_epi8(0x0D - 0x0A);
  const __m128i c2 = _mm_set1_epi8(static_cast<char>(0xC2)), e2 = _mm_set1_epi8(static_cast<char>(0xE2));
  std::size_t i = from;
  for (; i + 16 <= text.size(); i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i offset = _mm_sub_epi8(bytes, first);
    const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(offset, span), offset);  // 0x0A..0x0D
    const __m128i lead = _mm_or_si128(_mm_cmpeq_epi8(bytes, c2), _mm_cmpeq_epi8(bytes, e2));
    for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(control, lead))); mask != 0;
         mask &= mask - 1) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
      if (lineBreakLength(text, at) != 0) return at;
    }
  }
  for (; i < text.size(); ++i) {
    if (kLineBreakLead[byteAt(text, i)] && lineBreakLength(text, i) != 0) return i;
  }
  return text.size();
}
#else
std::size_t findLineBreak(std::string_view text, std::size_t from) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  std::size_t i = from;
  while (i < text.size()) {
    // Skip eight bytes at a time while none is a control character or
    // outside ASCII, which every line break is.
    if (i + 8 <= text.size()) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + i, 8);
      if (((((word - kOnes * 0x20) & ~word) | word) & kHighBits) == 0) {
        i += 8;
        continue;
      }
    }
    std::size_t stop = std::min(i + 8, text.size());
    for (; i < stop; ++i) {
      if (kLineBreakLead[byteAt(text, i)] && lineBreakLength(text, i) != 0) return i;
    }
  }
  return text.size();
}
#endif

bool TextLineReader::next() {
  while (position_ < text_.size()) {
    const std::size_t end = findLineBreak(text_, position_);
    line_ = unicode::trimWhiteSpace(text_.substr(position_, end - position_));
    lineNumber_ = nextLineNumber_++;
    position_ = end;
    if (position_ < text_.size()) position_ += lineEndLength(text_, position_);
    if (!line_.empty()) return true;
  }
  return false;
}

}  // namespace tamsel
