#include "model/Alphabet.h"

#include <gtest/gtest.h>

#include "model/ImportError.h"

namespace tamsel {
namespace {

PrimerList withSequences(std::initializer_list<std::string> sequences) {
  PrimerList list;
  for (const std::string& s : sequences) list.emplace_back(false, "P", s, "");
  return list;
}

TEST(Alphabet, InvalidCharactersAreScalarsOutsideTheAlphabet) {
  EXPECT_FALSE(containsInvalidCharacters(allowedSequenceCharacters));
  for (const char* valid : {"", "acgtryswkmbdhvnu"}) EXPECT_FALSE(containsInvalidCharacters(valid)) << valid;
  for (const char* invalid : {"ACGT ", "ACGX", "ACG\xC3\x85", "ACGT-"}) EXPECT_TRUE(containsInvalidCharacters(invalid));
}

TEST(Alphabet, CleanSequenceKeepsTheAlphabetAndRemovesModificationCodes) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"ATG CGT-123", "ATGCGT"}, {"acgUn", "acgUn"}, {"5'-GATC-3'", "GATC"}, {"I-X.acg", "acg"},
      {"AC\xC3\x85GT\xE2\x80\xA8", "ACGT"},
      {"/5Phos/ACGT", "ACGT"}, {"/56-FAM/ACGT/3BHQ_1/", "ACGT"}, {"AC/iSp18/GT", "ACGT"},
      {"/a/b/", "b"},                           // codes do not overlap: "/a/" then "b/"
      {"/\xC3\xA9t\xC3\xA9/ACGT", "ACGT"},  // counted in scalars
      {"/" + std::string(32, 'A') + "/T", "T"},
      // Not codes: empty, white space, line break, more than 32 characters, unclosed.
      {"AC//GT", "ACGT"}, {"/A C/GT", "ACGT"}, {"/A\nC/GT", "ACGT"},
      {"/" + std::string(33, 'A') + "/T", std::string(33, 'A') + "T"}, {"/5Phos ACGT", "hsACGT"}, {"ACGT/", "ACGT"},
  };
  std::string scratch;
  for (const auto& [input, cleaned] : cases) {
    EXPECT_EQ(cleanSequence(input), cleaned) << input;
    const std::string_view view = cleanedSequence(input, scratch);
    EXPECT_EQ(view, cleaned) << input;
    // A clean cell is its own cleaned text, not a copy.
    EXPECT_EQ(view.data() == input.data(), input == cleaned) << input;
  }
}

TEST(Alphabet, PlausibleSequence) {
  const std::pair<const char*, bool> cases[] = {
      {"ACGTA", true}, {"acgtn", true}, {"ACGT", false}, {"", false}, {"ACGT ACGT\n", true},
      {"5'-GATCC-3'", true}, {"5' GATCC 3'", true}, {"5\xE2\x80\x99-GATCC-3\xE2\x80\x99", true},
      {"5'-GATC-3'", false}, {"/5Phos/ACGTACG", true}, {"/56-FAM/ACGT/3BHQ_1/", false},
      {"ACGTACGT-", false}, {"Sequence", false}, {"Name", false}, {"ACG5'TT", false}, {"ACGTX", false},
      {"12345", false}, {"stand", true}, {"5\xE2\x80\xB2-GATCC-3\xE2\x80\xB2", true}, {"5ACGTACGT", false},
      {"ACG\tTACGT", true},
  };
  for (const auto& [cell, plausible] : cases) EXPECT_EQ(isPlausibleSequence(cell), plausible) << cell;
}

TEST(Alphabet, ValidatePrimersNeedsOnePlausibleSequence) {
  const std::string noValid = ImportError::noValidSequence().message;
  EXPECT_EQ(validatePrimers({}), noValid);
  EXPECT_EQ(validatePrimers(withSequences({"ACGTA"})), std::nullopt);
  EXPECT_EQ(validatePrimers(withSequences({"ACGT"})), noValid);
  EXPECT_EQ(validatePrimers(withSequences({"ACGTACGT-", "NNNNN"})), std::nullopt);
  EXPECT_EQ(validatePrimers(withSequences({"ACGTACGT-"})), noValid);
  EXPECT_EQ(validatePrimers(withSequences({"", "bad!", "acgtn"})), std::nullopt);
}

TEST(Alphabet, SelectedCellIsOneAfterTrimming) {
  EXPECT_TRUE(isSelectedCellText(" 1 "));
  EXPECT_TRUE(isSelectedCellText("\t1\xC2\xA0"));
  for (std::string_view text : {"0", "", "true", "yes", "x", "1.0", "01", "1\n"}) {
    EXPECT_FALSE(isSelectedCellText(text)) << text;
  }
}

}  // namespace
}  // namespace tamsel
