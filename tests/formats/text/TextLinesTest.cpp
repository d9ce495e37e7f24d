#include "formats/text/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tamsel {
namespace {

// The first line break at or after `from`, byte by byte.
std::size_t firstBreakByteByByte(std::string_view text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (lineBreakLength(text, i) != 0) return i;
  }
  return text.size();
}

TEST(TextLines, EveryLineBreakIsFoundAtEveryOffset) {
  // Each break, and the bytes that only look like the start of one (a tab, a
  // lone C2 or E2, U+00A0, U+2027), at every position of texts long and short.
  const std::vector<std::string> pieces = {"\n", "\r", "\v", "\f", "\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9",
                                           "\t", "\xC2\xA0", "\xE2\x80\xA7", "\xC2", "\xE2\x80", "\x7F", "\x1F"};
  for (const std::string& piece : pieces) {
    for (std::size_t before = 0; before < 40; ++before) {
      for (std::size_t after : {0, 1, 2, 17}) {
        const std::string text = std::string(before, 'a') + piece + std::string(after, 'b');
        for (std::size_t from = 0; from <= text.size(); from += 7) {
          ASSERT_EQ(findLineBreak(text, from), firstBreakByteByByte(text, from))
              << "piece " << std::hex << int(static_cast<unsigned char>(piece[0])) << " at " << std::dec << before
              << " from " << from;
        }
      }
    }
  }
  // Only the last byte of the text, or none.
  EXPECT_EQ(findLineBreak(std::string(100, 'x'), 0), 100u);
  EXPECT_EQ(findLineBreak(std::string(99, 'x') + "\xE2\x80", 0), 101u);
}

}  // namespace
}  // namespace tamsel
