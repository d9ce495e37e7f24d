#include "formats/xml/XMLCharacters.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tamsel::xml {
namespace {

bool isXMLCharacter(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

bool isContinuation(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }

// The length of the valid sequence at `i`, or 0.
std::size_t sequenceLength(const std::uint8_t* s, std::size_t i, std::size_t size) {
  const std::uint8_t lead = s[i];
  if (lead < 0x80) return lead >= 0x20 || lead == 0x9 || lead == 0xA || lead == 0xD ? 1 : 0;
  std::size_t length;
  char32_t c;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    c = lead & 0x07;
  } else {
    return 0;
  }
  if (size - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if (!isContinuation(s[i + k])) return 0;
    c = (c << 6) | (s[i + k] & 0x3F);
  }
  // Overlong forms and surrogates are not UTF-8.
  if ((length == 3 && c < 0x800) || (length == 4 && c < 0x10000)) return 0;
  return isXMLCharacter(c) ? length : 0;
}

}  // namespace

std::size_t firstNonXMLCharacter(std::string_view text) {
  const auto* s = reinterpret_cast<const std::uint8_t*>(text.data());
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
#if defined(__SSE2__)
    // Sixteen bytes at a time while all are ASCII characters of XML: at or
    // above the space (a signed compare also catches every byte from 0x80
    // on), or tab, line feed, carriage return.
    const __m128i space = _mm_set1_epi8(0x20), tab = _mm_set1_epi8(0x9);
    const __m128i lineFeed = _mm_set1_epi8(0xA), carriageReturn = _mm_set1_epi8(0xD);
    for (; size - i >= 16; i += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
      const __m128i allowed = _mm_or_si128(_mm_cmpeq_epi8(bytes, tab),
                                           _mm_or_si128(_mm_cmpeq_epi8(bytes, lineFeed), _mm_cmpeq_epi8(bytes, carriageReturn)));
      const __m128i other = _mm_andnot_si128(allowed, _mm_cmplt_epi8(bytes, space));
      if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(other))) {
        i += static_cast<std::size_t>(__builtin_ctz(mask));
        break;
      }
    }
    if (i == size) break;
#else
    // Eight bytes at a time while all are ASCII at or above the space.
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    constexpr std::uint64_t kSpaces = 0x2020202020202020ULL;
    if (size - i >= 8) {
      std::uint64_t word;
      std::memcpy(&word, s + i, 8);
      if (((word | ((word - kSpaces) & ~word)) & kHigh) == 0) {
        i += 8;
        continue;
      }
    }
#endif
    const std::size_t length = sequenceLength(s, i, size);
    if (length == 0) return i;
    i += length;
  }
  return size;
}

std::optional<char32_t> characterReference(std::string_view name) {
  if (name.size() < 2 || name[0] != '#') return std::nullopt;
  const bool hex = name[1] == 'x';
  std::string_view digits = name.substr(hex ? 2 : 1);
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (char d : digits) {
    std::uint32_t digit;
    if (d >= '0' && d <= '9') digit = static_cast<std::uint32_t>(d - '0');
    else if (hex && d >= 'a' && d <= 'f') digit = static_cast<std::uint32_t>(d - 'a' + 10);
    else if (hex && d >= 'A' && d <= 'F') digit = static_cast<std::uint32_t>(d - 'A' + 10);
    else return std::nullopt;
    value = value * (hex ? 16 : 10) + digit;
    if (value > 0x10FFFF) return std::nullopt;
  }
  if (!isXMLCharacter(value)) return std::nullopt;
  return value;
}

}  // namespace tamsel::xml
