#include "formats/text/TextDecoding.h"

#include <gtest/gtest.h>

#include "model/Unicode.h"

namespace tamsel {
namespace {

Expected<std::string, ReaderError> decode(std::string_view bytes) { return decodeText(asBytes(bytes)); }

std::string decodeError(std::string_view bytes) {
  auto result = decode(bytes);
  EXPECT_FALSE(result.hasValue());
  return result ? "" : result.error().message;
}

TEST(TextDecoding, UTF8ElseWindows1252) {
  EXPECT_EQ(*decode(""), "");
  EXPECT_EQ(*decode("Name,Seq\n\xC3\xA9"), "Name,Seq\n\xC3\xA9");
  // Not UTF-8: é, the euro sign, a curly quote and an undefined byte.
  EXPECT_EQ(*decode("S\xE9q \x80\x93\x81"), "S\xC3\xA9q \xE2\x82\xAC\xE2\x80\x9C\xC2\x81");
  EXPECT_EQ(*decode("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");
  // 0x80 to 0x9F: the Windows-1252 letters and signs, the five unassigned bytes as C1 controls.
  std::string high, expected;
  for (int byte = 0x80; byte <= 0x9F; ++byte) high += static_cast<char>(byte);
  for (char32_t c : std::u32string_view(U"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039"
                                        U"\u0152\u008D\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014"
                                        U"\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178")) {
    unicode::appendUTF8(expected, c);
  }
  EXPECT_EQ(*decode(high), expected);
  // With the UTF-8 byte-order mark the text must be UTF-8; the offset counts
  // from the start of the file, mark included.
  EXPECT_EQ(decodeError("\xEF\xBB\xBF" "ab\xFF"), "The file is not valid UTF-8 text (invalid byte 0xFF at offset 5).");
}

TEST(TextDecoding, UTF8ByteOrderMarkIsDropped) {
  EXPECT_EQ(*decode("\xEF\xBB\xBFSelected,Name"), "Selected,Name");
  EXPECT_EQ(*decode("\xEF\xBB\xBF"), "");
  EXPECT_EQ(*decode("\xEF\xBB\xBF\xEF\xBB\xBFx"), "\xEF\xBB\xBFx");  // only the first is a mark
  EXPECT_EQ(*decode("\xEF\xBB"), "\xC3\xAF\xC2\xBB");  // not a whole mark: Windows-1252
}

// An odd byte count, with its message, is one of the hostile files.
TEST(TextDecoding, UTF16WithByteOrderMark) {
  using namespace std::string_view_literals;
  EXPECT_EQ(*decode("\xFF\xFE" "A\0\xE9\0\x3D\xD8\x00\xDE\n\0"sv), "A\xC3\xA9\xF0\x9F\x98\x80\n");
  EXPECT_EQ(*decode("\xFE\xFF" "\0A\0\xE9\xD8\x3D\xDE\x00"sv), "A\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(*decode("\xFF\xFE"), "");
  EXPECT_EQ(decodeError("\xFF\xFE" "A\0\x3D\xD8"sv),
            "The file is not valid UTF-16 text (unpaired surrogate at byte offset 4).");  // high at the end
  EXPECT_EQ(decodeError("\xFF\xFE\x3D\xD8" "A\0"sv),
            "The file is not valid UTF-16 text (unpaired surrogate at byte offset 2).");  // high before a letter
  EXPECT_EQ(decodeError("\xFE\xFF\xDE\x00"sv),
            "The file is not valid UTF-16 text (unpaired surrogate at byte offset 2).");  // lone low
}

}  // namespace
}  // namespace tamsel
