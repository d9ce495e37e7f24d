#include <gtest/gtest.h>

#include "TestData.h"
#include "formats/fasta/FASTAParser.h"
#include "formats/fasta/FASTAWriter.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using Fields = std::vector<PrimerFields>;

Fields parse(std::string_view text) {
  auto result = FASTAParser::parse(text);
  EXPECT_TRUE(result.hasValue()) << (result ? "" : result.error().message);
  return result ? fieldsOf(*result) : Fields{};
}

TEST(FASTAParser, Records) {
  const struct {
    std::string_view text;
    Fields expected;
  } cases[] = {
      // Name up to the first space or tab, the rest trimmed is the comment;
      // sequence lines are joined and cleaned.
      {">P1 fwd, exon 2 \nACGT ACGT\nacgt-*12\n>P2\tsecond\tprimer\nGGCC\n",
       {{false, "P1", "ACGTACGTacgt", "fwd, exon 2"}, {false, "P2", "GGCC", "second\tprimer"}}},
      // CR LF, blank lines, ";" comments anywhere, white space before a name.
      {"; a list\r\n\r\n>  P1  \r\nAC\r\n;note\r\nGT\r\n", {{false, "P1", "ACGT", ""}}},
      // A record without a sequence stays; one without name and sequence goes.
      {">P1\n>\n> \n>P2 x\nAAAAA", {{false, "P1", "", ""}, {false, "P2", "AAAAA", "x"}}},
      {"> only comment\nAAAAA", {{false, "only", "AAAAA", "comment"}}},
      {"", {}},
      {"\n; nothing but comments\n", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(parse(c.text), c.expected) << c.text;
}

TEST(FASTAParser, TextBeforeTheFirstRecordIsRefusedWithItsLine) {
  auto result = FASTAParser::parse("; list\r\n\r\nACGTACGT\n>P1\nACGT\n");
  ASSERT_FALSE(result.hasValue());
  EXPECT_EQ(result.error().domain, "FASTAParser");
  EXPECT_EQ(result.error().message,
            "Line 3 comes before the first record: a FASTA record starts with a line that begins with \">\".");
}

TEST(FASTAParser, StartsLikeFASTA) {
  EXPECT_TRUE(startsLikeFASTA("\n \t\r\n  >P1\nACGT"));
  EXPECT_FALSE(startsLikeFASTA("Name\tSequence\n>P1"));
  EXPECT_FALSE(startsLikeFASTA("; comment\n>P1"));
  EXPECT_FALSE(startsLikeFASTA(" \n"));
}

TEST(FASTAWriter, OneHeaderAndOneSequenceLinePerPrimer) {
  const PrimerList primers{PrimerEntry(true, "P1", "ACGTACGT", "fwd exon 2"), PrimerEntry(false, "P2", "GG", ""),
                           PrimerEntry(false, "P3", "", "no sequence")};
  EXPECT_EQ(FASTAWriter::write(primers), ">P1 fwd exon 2\nACGTACGT\n>P2\nGG\n>P3 no sequence\n");
  EXPECT_EQ(FASTAWriter::write({}), "");
}

TEST(FASTAWriter, LineBreaksInsideFieldsCannotStartNewLines) {
  const PrimerList primers{PrimerEntry(false, "P1\n>P2", "ACGT\r\nACGT", "line\xE2\x80\xA8two")};
  EXPECT_EQ(FASTAWriter::write(primers), ">P1 >P2 line two\nACGT ACGT\n");
}

TEST(FASTAWriter, ReadsBackWithTheSameNamesSequencesAndComments) {
  const PrimerList primers{PrimerEntry(false, "P1", "ACGTRYKMacgt", "fwd, exon 2 (5'-3')"),
                           PrimerEntry(false, "Primer_\xE5\xBC\x95\xE7\x89\xA9", "NNNNNACGT", ""),
                           PrimerEntry(false, "P3", "", "empty")};
  EXPECT_EQ(parse(FASTAWriter::write(primers)), fieldsOf(primers));
}

TEST(FASTAFixtures, HandWrittenFiles) {
  const Fields expected{{false, "FWD-1", "ACGTTGCAACGTTGCAAGGT", "forward primer, exon 1"},
                        {false, "REV-1", "ttgcaacgttRCAAGGTACC", "reverse primer, exon 1"},
                        {false, "probe_1", "CCGGTTAACCGGTTAANNCC", ""}};
  for (const char* file : {"fasta/primers.fasta", "fasta/primers_crlf.fa", "fasta/primers_saved_as.txt"}) {
    const Bytes bytes = testing::testData(file);
    EXPECT_EQ(parse(asText(bytes)), expected) << file;
  }
}

}  // namespace
}  // namespace tamsel
