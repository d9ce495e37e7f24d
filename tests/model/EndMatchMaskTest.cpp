#include "model/EndMatchMask.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

TEST(EndMatchMask, SingleCaseGivesTheEndMask) {
  EXPECT_EQ(endMatchMask("ACGTACGTAC", 3), "       XXX");
  EXPECT_EQ(endMatchMask("acgtacgt", 3), "     XXX");
  EXPECT_EQ(endMatchMask("ACGT", 10), "XXXX");
  EXPECT_EQ(endMatchMask("ACGT", 0), "    ");
  EXPECT_EQ(endMatchMask("ACGT", -1), "    ");
  EXPECT_EQ(endMatchMask("", 3), "");
  EXPECT_EQ(endMatchMask("ACGT-1", 2), "    XX");  // the marked characters need not be letters
  EXPECT_EQ(endMatchMask("1234", 2), "  XX");
}

TEST(EndMatchMask, UpperCaseRunToTheEndGivesTheEndMask) {
  EXPECT_EQ(endMatchMask("gaattcACGTACGT", 3), "           XXX");
  EXPECT_EQ(endMatchMask("gaa-1ACGT", 2), "       XX");
}

TEST(EndMatchMask, MixedCaseMarksTheMoreFrequentCase) {
  EXPECT_EQ(endMatchMask("ACGTacgt", 3), "XXXX    ");  // tie: upper case
  EXPECT_EQ(endMatchMask("ACgtacgt", 3), "  XXXXXX");  // lower case in the majority
  EXPECT_EQ(endMatchMask("acgTTTTa", 3), "   XXXX ");
  EXPECT_EQ(endMatchMask("aNNc", 3), " XX ");
  EXPECT_EQ(endMatchMask("AC-gt-A1c", 0), "XX    X  ");  // non-letters never marked, endMatches unused
}

TEST(EndMatchMask, OneMarkPerUserPerceivedCharacter) {
  // "É" written as E + combining acute is one upper-case character.
  EXPECT_EQ(endMatchMask("E\xCC\x81" "CGt", 1), "XXX ");
  EXPECT_EQ(endMatchMask("acgt\xC3\xA9", 2), "   XX");
  EXPECT_EQ(endMatchMask("AC\r\nGT", 2), "   XX");  // CR LF counts once
  EXPECT_EQ(endMatchMask("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA" "AC", 3), "XXX");
}

}  // namespace
}  // namespace tamsel
