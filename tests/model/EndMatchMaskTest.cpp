#include "model/EndMatchMask.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tamsel {
namespace {

TEST(EndMatchMask, MarksTheThreePrimeEndOrTheMoreFrequentCase) {
  const std::tuple<std::string, int, std::string> cases[] = {
      // One case, or an upper-case run to the end: the last endMatches characters.
      {"ACGTACGTAC", 3, "       XXX"}, {"acgtacgt", 3, "     XXX"}, {"ACGT", 10, "XXXX"}, {"ACGT", 0, "    "},
      {"ACGT", -1, "    "}, {"", 3, ""}, {"ACGT-1", 2, "    XX"}, {"1234", 2, "  XX"},
      {"gaattcACGTACGT", 3, "           XXX"}, {"gaa-1ACGT", 2, "       XX"},
      // Mixed case marks the more frequent case (upper on a tie); non-letters never.
      {"ACGTacgt", 3, "XXXX    "}, {"ACgtacgt", 3, "  XXXXXX"}, {"acgTTTTa", 3, "   XXXX "}, {"aNNc", 3, " XX "},
      {"AC-gt-A1c", 0, "XX    X  "},
      // One mark per user-perceived character: É as E + combining acute, CR LF, a flag.
      {"E\xCC\x81" "CGt", 1, "XXX "}, {"acgt\xC3\xA9", 2, "   XX"}, {"AC\r\nGT", 2, "   XX"},
      {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA" "AC", 3, "XXX"},
  };
  for (const auto& [sequence, endMatches, mask] : cases) {
    EXPECT_EQ(endMatchMask(sequence, endMatches), mask) << sequence << " " << endMatches;
  }
}

}  // namespace
}  // namespace tamsel
