#include "formats/text/TextLines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

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
