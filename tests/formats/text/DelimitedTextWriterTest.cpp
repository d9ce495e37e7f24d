#include "formats/text/DelimitedTextWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/text/DelimitedTextParser.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

PrimerList twoPrimers() { return {{true, "P1", "ACGTACGT", "fwd"}, {false, "P2", "", ""}}; }

TEST(DelimitedTextWriter, HeaderAndOneLinePerPrimer) {
  EXPECT_EQ(generateDelimitedText(twoPrimers(), ','), "Selected,Name,Sequence,Comment\n1,P1,ACGTACGT,fwd\n0,P2,,");
  EXPECT_EQ(generateDelimitedText(twoPrimers(), '\t'),
            "Selected\tName\tSequence\tComment\n1\tP1\tACGTACGT\tfwd\n0\tP2\t\t");
  EXPECT_EQ(generateDelimitedText({}, ','), "Selected,Name,Sequence,Comment");
  // White space and the other separator are written as they are.
  EXPECT_EQ(generateDelimitedText({{false, " P1\t", "AC", "a;b"}}, ','),
            "Selected,Name,Sequence,Comment\n0, P1\t,AC,a;b");
}

TEST(DelimitedTextWriter, QuotesOnlyFieldsThatWouldSplit) {
  PrimerList primers = {{false, "P1, fwd", "ACGT", "say \"hi\""}, {true, "P2", "ACGT", "two\nlines\xE2\x80\xA8"}};
  EXPECT_EQ(generateDelimitedText(primers, ','),
            "Selected,Name,Sequence,Comment\n0,\"P1, fwd\",ACGT,\"say \"\"hi\"\"\"\n"
            "1,P2,ACGT,\"two\nlines\xE2\x80\xA8\"");
  // Marks that would join the comma into one character.
  EXPECT_EQ(generateDelimitedText({{false, "\xCC\x81x", "AC", "x\xD8\x80"}}, ','),
            "Selected,Name,Sequence,Comment\n0,\"\xCC\x81x\",AC,\"x\xD8\x80\"");
  EXPECT_EQ(generateDelimitedText({{false, "P1, fwd", "AC", "a\tb"}}, '\t'),
            "Selected\tName\tSequence\tComment\n0\tP1, fwd\tAC\t\"a\tb\"");
}

// Fields are scanned several bytes at a time: a stop is found at every
// position of a field of any length, and bytes that only look alike pass.
TEST(DelimitedTextWriter, FindsAStopAnywhereInAField) {
  for (const char* stop : {",", "\"", "\n", "\r", "\v", "\xC2\x85", "\xE2\x80\xA9"}) {
    for (std::size_t length = 0; length < 20; ++length) {
      for (std::size_t at = 0; at <= length; ++at) {
        const std::string name = std::string(at, 'A') + stop + std::string(length - at, 'C');
        const std::string text = generateDelimitedText({{false, name, "", ""}}, ',');
        EXPECT_EQ(text.substr(text.find('\n') + 3, 1), "\"") << at << ' ' << name;
      }
    }
  }
  const std::string plain = "\x01\x1F;\t\x7F-\xC3\xA9\xE2\x80\xA7-----------";
  EXPECT_EQ(generateDelimitedText({{false, plain, "", ""}}, ','), "Selected,Name,Sequence,Comment\n0," + plain + ",,");
}

TEST(DelimitedTextWriter, ReadsBackTheSameFields) {
  PrimerList primers = {{true, "P1, fwd", "ACGTACGT", "say \"hi\", then\r\nstop"},
                        {false, "P2", "acgtn", ""},
                        {false, "\"quoted\"", "", "a\tb"},
                        {false, "\xCC\x81P3\xD8\x80", "ACGTA", "\xD8\x80"}};
  for (char separator : {',', '\t'}) {
    auto read = parseDelimitedText(generateDelimitedText(primers, separator), separator == ',' ? "csv" : "tsv");
    ASSERT_TRUE(read.hasValue());
    EXPECT_EQ(fieldsOf(*read), fieldsOf(primers)) << separator;
  }
}

// A large list is written on two threads, to the same lines.
TEST(DelimitedTextWriter, ALargeListGivesTheLinesOfItsPrimers) {
  PrimerList primers;
  std::string expected = "Selected,Name,Sequence,Comment";
  for (int i = 0; i < 40000; ++i) {
    const std::string number = std::to_string(i);
    const std::string name = "P" + number, comment = i % 7 == 0 ? "a, b" : number;
    primers.emplace_back(i % 3 == 0, name, "ACGT", comment);
    const std::string line = generateDelimitedText({{i % 3 == 0, name, "ACGT", comment}}, ',');
    expected.append(line, line.find('\n'));
  }
  EXPECT_EQ(generateDelimitedText(primers, ','), expected);
}

}  // namespace
}  // namespace tamsel
