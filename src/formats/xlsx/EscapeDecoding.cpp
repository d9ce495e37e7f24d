#include "formats/xlsx/EscapeDecoding.h"

#include <cstdint>
#include <optional>

#include "model/Unicode.h"

namespace tamsel::xlsx {
namespace {

constexpr std::size_t kEscapeLength = 7;  // _xHHHH_

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The code unit of an escape starting at `position`, if one starts there.
std::optional<std::uint32_t> escapeAt(std::string_view text, std::size_t position) {
  if (text.size() - position < kEscapeLength) return std::nullopt;
  if (text[position] != '_' || text[position + 1] != 'x' || text[position + 6] != '_') return std::nullopt;
  std::uint32_t unit = 0;
  for (std::size_t i = position + 2; i < position + 6; ++i) {
    const int digit = hexValue(text[i]);
    if (digit < 0) return std::nullopt;
    unit = unit << 4 | static_cast<std::uint32_t>(digit);
  }
  return unit;
}

}  // namespace

void appendUnescaped(std::string& out, std::string_view text) {
  std::size_t copied = 0;  // text before this has been written to `out`
  std::size_t position = text.find("_x");
  while (position != std::string_view::npos) {
    auto unit = escapeAt(text, position);
    std::size_t consumed = kEscapeLength;
    std::uint32_t scalar = unit.value_or(0);
    if (unit && unicode::isHighSurrogate(*unit)) {
      auto low = escapeAt(text, position + kEscapeLength);
      if (low && unicode::isLowSurrogate(*low)) {
        scalar = unicode::joinSurrogates(*unit, *low);
        consumed = 2 * kEscapeLength;
      } else {
        unit.reset();
      }
    } else if (unit && unicode::isLowSurrogate(*unit)) {
      unit.reset();
    }
    if (!unit) {
      position = text.find("_x", position + 1);
      continue;
    }
    out.append(text.substr(copied, position - copied));
    unicode::appendUTF8(out, scalar);
    copied = position + consumed;
    position = text.find("_x", copied);
  }
  out.append(text.substr(copied));
}

}  // namespace tamsel::xlsx
