#include "formats/xlsx/CellReference.h"

#include <unicode/uchar.h>

#include <string>

#include "model/Unicode.h"

namespace tamsel::xlsx {
namespace {

// Far above any column, far below overflow of the base-26 step.
constexpr std::int64_t kSaturated = std::int64_t{1} << 50;

struct LetterDigits {
  std::int64_t value = 0;  // the accumulator of columnIndex, before the final -1
  int letters = 0;
};

// The numeric value of the first scalar of the letter's full upper-case form,
// or nothing when `c` is not a letter.
std::optional<std::int64_t> upperScalar(char32_t c) {
  if (!u_isalpha(static_cast<UChar32>(c))) return std::nullopt;
  std::string letter;
  unicode::appendUTF8(letter, c);
  const std::string upper = unicode::toUpper(letter);
  std::size_t offset = 0;
  return upper.empty() ? c : unicode::nextScalar(upper, offset);
}

LetterDigits readLetters(std::string_view reference) {
  LetterDigits digits;
  auto add = [&digits](std::int64_t scalar) {
    ++digits.letters;
    digits.value = digits.value >= kSaturated ? kSaturated : digits.value * 26 + (scalar - 65 + 1);
  };
  for (std::size_t i = 0; i < reference.size();) {
    const auto byte = static_cast<unsigned char>(reference[i]);
    if (byte < 0x80) {
      ++i;
      if (byte >= 'a' && byte <= 'z') add(byte - 'a' + 'A');
      if (byte >= 'A' && byte <= 'Z') add(byte);
      continue;
    }
    if (auto scalar = upperScalar(unicode::nextScalar(reference, i))) add(*scalar);
  }
  return digits;
}

}  // namespace

std::int64_t columnIndex(std::string_view reference) { return readLetters(reference).value - 1; }

std::optional<std::uint32_t> referencedColumnSlowly(std::string_view reference) {
  // Other ASCII references need no case mapping; a fourth letter settles the
  // answer whatever follows.
  std::int64_t value = 0;
  int letters = 0;
  std::size_t i = 0;
  for (; i < reference.size(); ++i) {
    const auto byte = static_cast<unsigned char>(reference[i]);
    if (byte >= 0x80) break;
    const unsigned char upper = byte & ~0x20;
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')) {
      if (++letters > 3) return std::nullopt;
      value = value * 26 + (upper - 'A' + 1);
    }
  }
  if (i == reference.size()) {
    if (letters < 1 || value - 1 > kLastColumn) return std::nullopt;
    return static_cast<std::uint32_t>(value - 1);
  }

  const LetterDigits digits = readLetters(reference);
  if (digits.letters < 1 || digits.letters > 3) return std::nullopt;
  const std::int64_t column = digits.value - 1;
  if (column < 0 || column > kLastColumn) return std::nullopt;
  return static_cast<std::uint32_t>(column);
}

}  // namespace tamsel::xlsx
