#include "formats/xlsx/CellReference.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

namespace tamsel {
namespace {

constexpr std::int64_t lastColumn = 16383;  // XFD
// Far above any column, far below overflow of the base-26 step.
constexpr std::int64_t saturated = std::int64_t{1} << 50;

struct LetterDigits {
  std::int64_t value = 0;  // the accumulator of columnIndex, before the final -1
  int letters = 0;
};

// The numeric value of the first scalar of the letter's full upper-case form,
// or nothing when `c` is not a letter.
std::optional<std::int64_t> upperScalar(UChar32 c) {
  if (!u_isalpha(c)) return std::nullopt;
  UChar source[2];
  std::int32_t sourceLength = 0;
  U16_APPEND_UNSAFE(source, sourceLength, c);
  UChar upper[8];
  UErrorCode status = U_ZERO_ERROR;
  const std::int32_t length = u_strToUpper(upper, 8, source, sourceLength, "", &status);
  if (U_FAILURE(status) || length < 1) return c;
  UChar32 first;
  U16_GET_UNSAFE(upper, 0, first);
  return first;
}

LetterDigits readLetters(std::string_view reference) {
  LetterDigits digits;
  auto add = [&digits](std::int64_t scalar) {
    ++digits.letters;
    digits.value = digits.value >= saturated ? saturated : digits.value * 26 + (scalar - 65 + 1);
  };
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(reference.data());
  const auto length = static_cast<std::int32_t>(reference.size());
  for (std::int32_t i = 0; i < length;) {
    const std::uint8_t byte = bytes[i];
    if (byte < 0x80) {
      ++i;
      if (byte >= 'a' && byte <= 'z') add(byte - 'a' + 'A');
      if (byte >= 'A' && byte <= 'Z') add(byte);
      continue;
    }
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) continue;
    if (auto scalar = upperScalar(c)) add(*scalar);
  }
  return digits;
}

}  // namespace

std::int64_t columnIndex(std::string_view reference) { return readLetters(reference).value - 1; }

std::optional<std::uint32_t> referencedColumn(std::string_view reference) {
  const LetterDigits digits = readLetters(reference);
  if (digits.letters < 1 || digits.letters > 3) return std::nullopt;
  const std::int64_t column = digits.value - 1;
  if (column < 0 || column > lastColumn) return std::nullopt;
  return static_cast<std::uint32_t>(column);
}

}  // namespace tamsel
