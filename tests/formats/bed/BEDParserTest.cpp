#include <gtest/gtest.h>

#include "TestData.h"
#include "formats/bed/BEDParser.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using Fields = std::vector<PrimerFields>;

Fields parse(std::string_view text) {
  auto result = BEDParser::parse(text);
  EXPECT_TRUE(result.hasValue()) << (result ? "" : result.error().message);
  return result ? fieldsOf(*result) : Fields{};
}

TEST(BEDParser, PrimerLines) {
  const struct {
    std::string_view text;
    Fields expected;
  } cases[] = {
      // Name from field 4, sequence from field 7, the position as written.
      {"MN908947.3\t30\t54\tnCoV_1_LEFT\t1\t+\tACCAACCAACTTTCGATCTCTTGT\n",
       {{false, "nCoV_1_LEFT", "ACCAACCAACTTTCGATCTCTTGT", "MN908947.3:30-54 +"}}},
      // Without a sequence field; a strand-less line has no strand in its comment.
      {"chr1\t0100\t200\tP1\t0\t-\nchr1\t5\t9\tP2\n",
       {{false, "P1", "", "chr1:0100-200 -"}, {false, "P2", "", "chr1:5-9"}}},
      // Skipped lines; fields split by runs of spaces on a line without a tab.
      {"track name=primers\nbrowser position chr1\n# a comment\nchr1  10 20  P1 1 +  acgtn\n",
       {{false, "P1", "acgtn", "chr1:10-20 +"}}},
      // A first line of column titles is not data.
      {"chrom\tstart\tend\tname\tpool\tstrand\tseq\r\nchr2\t1\t2\tP1\t1\t+\tAAAAA\r\n",
       {{false, "P1", "AAAAA", "chr2:1-2 +"}}},
      // A line without name or sequence is no primer; nor is a BED3 file.
      {"chr1\t1\t2\n\n", {}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(parse(c.text), c.expected) << c.text;
}

TEST(BEDParser, LinesThatAreNotBEDAreRefusedWithTheirNumber) {
  const struct {
    std::string_view text;
    std::string_view message;
  } cases[] = {
      {"chr1\t1\t2\tP1\nchr1\t2\n",
       "Line 2 of the BED file has 2 fields; a BED line has at least 3: chromosome, "
       "start and end."},
      {"Name,Sequence\n", "Line 1 of the BED file has 1 field; a BED line has at least 3: chromosome, start and end."},
      {"chr1\t1\t2\tP1\n\nchr1\t-5\t9\tP2\n",
       "Line 3 of the BED file has the start \"-5\", which is not a whole "
       "number."},
      {"c\ts\te\nc\t1\t2.5\n", "Line 2 of the BED file has the end \"2.5\", which is not a whole number."},
  };
  for (const auto& c : cases) {
    auto result = BEDParser::parse(c.text);
    ASSERT_FALSE(result.hasValue()) << c.text;
    EXPECT_EQ(result.error().domain, "BEDParser");
    EXPECT_EQ(result.error().message, c.message);
  }
}

TEST(BEDFixtures, HandWrittenSchemes) {
  const Fields withSequences = parse(asText(testing::testData("bed/scheme_with_sequences.bed")));
  ASSERT_EQ(withSequences.size(), 6u);
  EXPECT_EQ(withSequences[0], (PrimerFields{false, "demo_1_LEFT", "ACTGGTCAAGCTTCGATCCAGTT", "ref1:30-53 +"}));
  EXPECT_EQ(withSequences[5].comment, "ref1:742-766 -");
  const Fields positionsOnly = parse(asText(testing::testData("bed/scheme_positions_only.bed")));
  ASSERT_EQ(positionsOnly.size(), 4u);
  EXPECT_EQ(positionsOnly[3], (PrimerFields{false, "demo_2_RIGHT", "", "ref1:742-766 -"}));
}

}  // namespace
}  // namespace tamsel
