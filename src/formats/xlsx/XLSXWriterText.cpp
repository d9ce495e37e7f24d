#include "formats/xlsx/XLSXWriterText.h"

#include <array>
#include <cstddef>

#include "model/Unicode.h"

namespace tamsel::xlsx {
namespace {

// Bytes that cannot be copied without a look: markup characters, controls,
// the underscore (a possible escape look-alike) and every non-ASCII byte.
constexpr std::array<bool, 256> kNeedsCheck = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 0x20; ++c) table[c] = c != '\t' && c != '\n';
  for (int c = 0x80; c < 0x100; ++c) table[c] = true;
  table['&'] = table['<'] = table['>'] = table['"'] = table['_'] = true;
  return table;
}();

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

bool isForbiddenNoncharacter(char32_t scalar) { return scalar == 0xFFFE || scalar == 0xFFFF; }

// Whether the character starting at `i` is written beginning with "_".
bool writtenStartingWithUnderscore(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (c == '_') return true;
  if (c < 0x20) return c != '\t' && c != '\n';
  if (c != 0xEF) return false;
  std::size_t next = i;
  return isForbiddenNoncharacter(unicode::nextScalar(text, next));
}

// Whether the underscore at `i` could read back as the start of an escape:
// "x", one to four hex digits, then something written starting with "_".
// Some readers take fewer than four digits ("_x4_" as U+0004), so those
// look-alikes are kept too.
bool startsEscapeLookalike(std::string_view text, std::size_t i) {
  if (text.size() - i < 4 || text[i + 1] != 'x') return false;
  std::size_t end = i + 2;
  while (end < text.size() && end < i + 6 && isHexDigit(text[end])) ++end;
  return end > i + 2 && end < text.size() && writtenStartingWithUnderscore(text, end);
}

// "_xHHHH_", upper-case hex digits.
std::string_view hexEscape(char32_t scalar, std::array<char, 7>& buffer) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  buffer = {'_', 'x', kDigits[(scalar >> 12) & 0xF], kDigits[(scalar >> 8) & 0xF], kDigits[(scalar >> 4) & 0xF],
            kDigits[scalar & 0xF], '_'};
  return {buffer.data(), buffer.size()};
}

}  // namespace

void writeEscapedCellText(std::string_view text, ByteSink& out) {
  std::size_t runStart = 0;
  std::size_t i = 0;
  std::array<char, 7> escapeBuffer;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!kNeedsCheck[c]) {
      ++i;
      continue;
    }
    std::string_view replacement;
    std::size_t next = i + 1;
    if (c >= 0x80) {
      next = i;
      const char32_t scalar = unicode::nextScalar(text, next);
      if (isForbiddenNoncharacter(scalar)) {
        replacement = hexEscape(scalar, escapeBuffer);
      } else if (scalar == unicode::kReplacementCharacter && next == i + 1) {
        replacement = "\xEF\xBF\xBD";  // an ill-formed byte
      } else {
        i = next;
        continue;
      }
    } else if (c == '_') {
      if (!startsEscapeLookalike(text, i)) {
        ++i;
        continue;
      }
      replacement = "_x005F_";
    } else if (c == '&') {
      replacement = "&amp;";
    } else if (c == '<') {
      replacement = "&lt;";
    } else if (c == '>') {
      replacement = "&gt;";
    } else if (c == '"') {
      replacement = "&quot;";
    } else {
      replacement = hexEscape(c, escapeBuffer);
    }
    out.write(text.substr(runStart, i - runStart));
    out.write(replacement);
    i = next;
    runStart = next;
  }
  out.write(text.substr(runStart));
}

}  // namespace tamsel::xlsx
