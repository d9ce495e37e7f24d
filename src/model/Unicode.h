#pragma once

// The few Unicode operations Tamsel needs, over UTF-8 text in std::string.
// ASCII text takes a fast path; everything else goes through ICU.
//
// Text passed here is expected to be valid UTF-8 (every reader validates or
// produces it); an ill-formed byte still never crashes: it reads as U+FFFD and
// counts as one character.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel::unicode {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// UTF-16 surrogates: a high one followed by a low one stands for one scalar.
inline constexpr bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline constexpr bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
inline constexpr char32_t joinSurrogates(char32_t high, char32_t low) {
  return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

inline bool isASCII(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

// True when every byte of `text` is one user-perceived character: ASCII
// without a carriage return (CR LF is one character).
inline bool isOneBytePerCharacter(std::string_view text) {
  return isASCII(text) && text.find('\r') == std::string_view::npos;
}

// The byte offset of the first byte that does not belong to a well-formed
// UTF-8 sequence (the lead byte of a truncated, overlong, surrogate or
// out-of-range sequence), or npos when the whole text is valid.
std::size_t firstInvalidUTF8Byte(std::string_view text);

// Decodes the scalar at `offset` and moves `offset` past it.
char32_t nextScalar(std::string_view text, std::size_t& offset);
// Decodes the scalar that ends at `end` (exclusive) and returns its first byte.
std::size_t previousScalarStart(std::string_view text, std::size_t end, char32_t& scalar);
void appendUTF8(std::string& out, char32_t scalar);
// Writes the 1 to 4 bytes of `scalar` at `out` and returns the byte after them;
// for callers that size their buffer once for many characters.
char* encodeUTF8(char* out, char32_t scalar);

// White space is the space separators (general category Zs) and the
// horizontal tab; line breaks are not white space.
bool isWhiteSpace(char32_t scalar);
// Line breaks: U+000A to U+000D, U+0085, U+2028 and U+2029, each on its own.
inline bool isLineBreak(char32_t scalar) {
  return (scalar >= 0x0A && scalar <= 0x0D) || scalar == 0x85 || scalar == 0x2028 || scalar == 0x2029;
}
std::string_view trimWhiteSpace(std::string_view text);

// Full, locale-independent lower-casing ("SS" stays "ss", "İ" becomes "i̇").
std::string toLower(std::string_view text);
std::string toUpper(std::string_view text);

// User-perceived characters (extended grapheme clusters).
struct ByteRange {
  std::size_t begin;
  std::size_t end;
  friend bool operator==(const ByteRange&, const ByteRange&) = default;
};
std::size_t graphemeCount(std::string_view text);
std::vector<ByteRange> graphemeRanges(std::string_view text);

// The letter case of one user-perceived character. A character is upper case
// when it is a single code point with the Uppercase property, or when
// upper-casing leaves it unchanged and it is cased (a single code point with
// the Cased property, or changed by lower-casing); lower case is the same with
// upper and lower exchanged. A few characters (U+00AA) are both.
struct LetterCase {
  bool upper = false;
  bool lower = false;
};
LetterCase letterCase(std::string_view grapheme);

// True when `scalar` cannot stand alone as a user-perceived character after
// the previous one (grapheme break classes Extend, ZWJ and SpacingMark).
bool extendsPreviousGrapheme(char32_t scalar);
// True when `scalar` joins the character that follows it (class Prepend).
bool prependsToNextGrapheme(char32_t scalar);

}  // namespace tamsel::unicode
