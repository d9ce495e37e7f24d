#include "model/Unicode.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tamsel::unicode {
namespace {

constexpr auto npos = std::string_view::npos;

TEST(Unicode, FirstInvalidUTF8ByteNamesTheLeadOfTheBadSequence) {
  const std::pair<std::string_view, std::size_t> cases[] = {
      {"", npos}, {"plain ASCII text, long enough for the word loop", npos},
      {"\xC3\xA9\xE2\x80\xA8\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", npos}, {std::string_view("a\0b", 3), npos},
      {"abcdefghij\xFFxyz", 10},                                // never valid
      {"ab\xC0\x80", 2}, {"ab\xE0\x80\x80", 2},                 // overlong
      {"ab\xED\xA0\x80", 2}, {"ab\xF4\x90\x80\x80", 2},          // surrogate, above U+10FFFF
      {"abcdefgh\xE2\x80", 8}, {"\xE2\x80" "A", 0}, {"\x80", 0},  // truncated, stray continuation
  };
  for (const auto& [text, offset] : cases) EXPECT_EQ(firstInvalidUTF8Byte(text), offset) << text;
}

TEST(Unicode, ScalarsDecodeAndIllFormedBytesReadAsReplacement) {
  std::string_view text = "A\xC3\xA9\xF0\x9F\x98\x80\xFF";
  std::size_t offset = 0;
  EXPECT_EQ(nextScalar(text, offset), U'A');
  EXPECT_EQ(nextScalar(text, offset), U'\u00E9');
  EXPECT_EQ(nextScalar(text, offset), U'\U0001F600');
  EXPECT_EQ(nextScalar(text, offset), kReplacementCharacter);
  EXPECT_EQ(offset, text.size());
  char32_t scalar;
  EXPECT_EQ(previousScalarStart(text, 7, scalar), 3u);
  EXPECT_EQ(scalar, U'\U0001F600');
  EXPECT_EQ(previousScalarStart("\x80\x80", 2, scalar), 1u);  // stray continuations at the start
  EXPECT_EQ(scalar, kReplacementCharacter);
  std::string out;
  for (char32_t c : {U'a', U'\u00E9', U'\u2028', U'\U0001F600'}) appendUTF8(out, c);
  EXPECT_EQ(out, "a\xC3\xA9\xE2\x80\xA8\xF0\x9F\x98\x80");
}

TEST(Unicode, TrimmingRemovesSpaceSeparatorsAndTabButNotLineBreaks) {
  // No-break space, ideographic space and thin space go; a line separator and
  // a zero-width space (Cf) stay.
  const std::pair<std::string_view, std::string_view> cases[] = {
      {" \t P1 \t ", "P1"}, {"\xC2\xA0\xE3\x80\x80P 1\xE2\x80\x89", "P 1"}, {"P1\n", "P1\n"},
      {"\xE2\x80\xA8P1", "\xE2\x80\xA8P1"}, {"\xE2\x80\x8BP1", "\xE2\x80\x8BP1"}, {" \t\xC2\xA0 ", ""},
      {"\xC3\xA9", "\xC3\xA9"}};
  for (const auto& [text, trimmed] : cases) EXPECT_EQ(trimWhiteSpace(text), trimmed) << text;
}

TEST(Unicode, FullLowerAndUpperCasing) {
  EXPECT_EQ(toLower("SeLeCTed"), "selected");
  EXPECT_EQ(toLower("\xC3\x89TAT"), "\xC3\xA9tat");          // ÉTAT
  EXPECT_EQ(toLower("\xC4\xB0"), "i\xCC\x87");               // İ -> i + combining dot
  EXPECT_EQ(toLower("\xE2\x84\xAA"), "k");                   // Kelvin sign
  EXPECT_EQ(toUpper("stra\xC3\x9F" "e"), "STRASSE");         // ß -> SS
}

TEST(Unicode, GraphemeClusters) {
  EXPECT_EQ(graphemeCount(""), 0u);
  EXPECT_EQ(graphemeCount("ACGT"), 4u);
  EXPECT_EQ(graphemeCount("a\r\nb"), 3u);  // CR LF is one character
  EXPECT_EQ(graphemeCount("e\xCC\x81"), 1u);  // e + combining acute
  // Flag (two regional indicators) and a family joined by ZWJ.
  EXPECT_EQ(graphemeCount("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA"), 1u);
  EXPECT_EQ(graphemeCount("\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7x"), 2u);
  EXPECT_EQ(graphemeRanges("Ae\xCC\x81" "C"), (std::vector<ByteRange>{{0, 1}, {1, 4}, {4, 5}}));
  EXPECT_EQ(graphemeRanges("\r\n\n"), (std::vector<ByteRange>{{0, 2}, {2, 3}}));
  EXPECT_EQ(graphemeCount("\xFF\xFE"), 2u);  // ill-formed bytes still count
}

// Upper: changed by lower-casing; lower: changed by upper-casing (ß becomes
// SS); É as E + combining acute counts as one; title-case Dž is neither; ª is
// both (Lowercase and cased, unchanged by both mappings); Kelvin sign; Han.
TEST(Unicode, LetterCaseOfAGrapheme) {
  const std::tuple<std::string_view, bool, bool> cases[] = {
      {"A", true, false},           {"z", false, true},         {"1", false, false},
      {"-", false, false},          {"\xC3\x89", true, false},  {"\xC3\x9F", false, true},
      {"E\xCC\x81", true, false},   {"e\xCC\x81", false, true}, {"\xC7\x85", false, false},
      {"\xC2\xAA", true, true},     {"\xE2\x84\xAA", true, false}, {"\xE4\xB8\xAD", false, false}};
  for (const auto& [grapheme, upper, lower] : cases) {
    EXPECT_EQ(letterCase(grapheme).upper, upper) << grapheme;
    EXPECT_EQ(letterCase(grapheme).lower, lower) << grapheme;
  }
}

}  // namespace
}  // namespace tamsel::unicode
