#include "formats/text/DelimitedTextParser.h"

#include <gtest/gtest.h>

#include "DenseRows.h"
#include "TestData.h"
#include "formats/text/TextDecoding.h"
#include "model/ImportError.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows split(std::string_view text, std::string_view extension = "csv") {
  return testing::dense(splitDelimitedText(text, extension).rows);
}

using Fields = PrimerFields;

std::vector<Fields> parse(std::string_view text, std::string_view extension = "csv") {
  auto result = parseDelimitedText(text, extension);
  EXPECT_TRUE(result.hasValue()) << (result ? "" : result.error().message);
  return result ? fieldsOf(*result) : std::vector<Fields>{};
}

// The column count of the tooManyColumns failure, -1 when the text reads.
int tooManyColumns(std::string_view text, std::string_view extension = "csv") {
  auto result = parseDelimitedText(text, extension);
  if (result) return -1;
  const int columns = std::stoi(result.error().message.substr(std::string_view("The file has ").size()));
  EXPECT_EQ(result.error().message, ImportError::tooManyColumns(columns).message);
  return columns;
}

TEST(DelimitedTextParser, LinesAndCells) {
  // Every line-break character ends a line; blank and white-space lines go.
  EXPECT_EQ(split("a\r\nb\rc\x0B" "d\x0C" "e\xC2\x85" "f\xE2\x80\xA8g\xE2\x80\xA9h\n \t \n"),
            (Rows{{"a"}, {"b"}, {"c"}, {"d"}, {"e"}, {"f"}, {"g"}, {"h"}}));
  EXPECT_EQ(split("a,,b\na,b,\n  x , y  "), (Rows{{"a", "", "b"}, {"a", "b", ""}, {"x", "y"}}));
  // Tab-separated lines lose their leading and trailing tabs before splitting.
  EXPECT_EQ(split("\tP1\tACGTACGT\t\t\n", "tsv"), (Rows{{"P1", "ACGTACGT"}}));
  EXPECT_EQ(split("a\t\tb", "txt"), (Rows{{"a", "", "b"}}));
  EXPECT_EQ(split("P1,ACGT", "txt"), (Rows{{"P1,ACGT"}}));
  // A comma joined by a combining mark is one character, not a delimiter.
  EXPECT_EQ(split("a,\xCC\x81" "b,c"), (Rows{{"a,\xCC\x81" "b", "c"}}));
  EXPECT_TRUE(split("\n\r\n \xE3\x80\x80\t").empty());
}

TEST(DelimitedTextParser, QuotedFields) {
  EXPECT_EQ(split("P1,\"fwd, exon 2\",x"), (Rows{{"P1", "fwd, exon 2", "x"}}));
  EXPECT_EQ(split("\"say \"\"hi\"\"\",\"\""), (Rows{{"say \"hi\"", ""}}));
  // Line breaks inside quotes belong to the field; the record goes on.
  EXPECT_EQ(split("P1,\"a\r\n\r\nb\",c\nP2"), (Rows{{"P1", "a\r\n\r\nb", "c"}, {"P2"}}));
  // Text inside quotes is kept exactly; white space after the closing quote
  // is dropped, other characters are appended as they stand.
  EXPECT_EQ(split("  \" a \" , \"b\" x\"y ,\"c\"\"\"d"), (Rows{{" a ", "bx\"y", "c\"d"}}));
  // A quote that does not open a cell is an ordinary character.
  EXPECT_EQ(split("P\"1\",a \"b\""), (Rows{{"P\"1\"", "a \"b\""}}));
  // Tabs inside quotes do not split, and white space at a line's ends inside
  // quotes is field text.
  EXPECT_EQ(split("\"a\tb\"\t\"\tc\t\"\t\t\n", "tsv"), (Rows{{"a\tb", "\tc\t"}}));
  EXPECT_EQ(split("x,\" \n \"\n"), (Rows{{"x", " \n "}}));
  EXPECT_EQ(split("\"\"\n"), (Rows{{""}}));
}

TEST(DelimitedTextParser, UnclosedQuoteLeavesTheLinePlain) {
  EXPECT_EQ(split("P1,\"fwd\nP2,rev"), (Rows{{"P1", "\"fwd"}, {"P2", "rev"}}));
  // The whole line is read plainly, an earlier closed field included.
  EXPECT_EQ(split("\"a,b\",\"c\nd"), (Rows{{"\"a", "b\"", "\"c"}, {"d"}}));
  // On a line that continues a record, the rest of the line is read plainly.
  EXPECT_EQ(split("P1,\"x\ny\",\"z,w\nP2"), (Rows{{"P1", "x\ny", "\"z", "w"}, {"P2"}}));
  // A later quote closes an earlier field, whatever line it is on.
  EXPECT_EQ(split("P1,\"fwd\nP2,\"rev\""), (Rows{{"P1", "fwd\nP2,rev\""}}));
}

TEST(DelimitedTextParser, SemicolonCsv) {
  EXPECT_EQ(split("Name;Sequence\nP1;ACGT,x"), (Rows{{"Name", "Sequence"}, {"P1", "ACGT,x"}}));
  // A comma inside a quoted field of the first record does not count.
  EXPECT_EQ(split("P1;\"fwd, 2\";x"), (Rows{{"P1", "fwd, 2", "x"}}));
  EXPECT_EQ(split("a;b,c\nd;e"), (Rows{{"a;b", "c"}, {"d;e"}}));
  EXPECT_EQ(split("\"a;b\"\nc,d"), (Rows{{"a;b"}, {"c", "d"}}));  // no semicolon outside quotes
  EXPECT_EQ(split("a;b", "txt"), (Rows{{"a;b"}}));
  EXPECT_EQ(split("a;b", "tsv"), (Rows{{"a;b"}}));
}

TEST(DelimitedTextParser, CsvWithTabsAndTextSplitAtRunsOfSpaces) {
  // A .csv whose first record holds neither a comma nor a semicolon outside quotes.
  EXPECT_EQ(split("Name\tSequence\nP1\tACGT,x"), (Rows{{"Name", "Sequence"}, {"P1", "ACGT,x"}}));
  EXPECT_EQ(split("\"a,b\"\tc\nd"), (Rows{{"a,b", "c"}, {"d"}}));
  EXPECT_EQ(split("Name,Seq\tx"), (Rows{{"Name", "Seq\tx"}}));
  // No record holds the delimiter: runs of spaces split when every record has
  // as many fields and one of them is mostly a plausible sequence.
  const std::string spaced = "Name   Sequence\nP1  ACGTACGT\nP2    GGCCAATT\n";
  for (std::string_view extension : {"csv", "txt"}) {
    EXPECT_EQ(split(spaced, extension), (Rows{{"Name", "Sequence"}, {"P1", "ACGTACGT"}, {"P2", "GGCCAATT"}}));
  }
  EXPECT_EQ(split("P1 ACGTACGT\nP2 fwd GGCCAATT"), (Rows{{"P1 ACGTACGT"}, {"P2 fwd GGCCAATT"}}));
  EXPECT_EQ(split("P1 ACGTACGT\nP2 GGCCAATT\nP3 GGCCAATT x"),
            (Rows{{"P1 ACGTACGT"}, {"P2 GGCCAATT"}, {"P3 GGCCAATT x"}}));
  EXPECT_EQ(split("Primer one\nPrimer two"), (Rows{{"Primer one"}, {"Primer two"}}));
  EXPECT_EQ(split("P1 ACGTACGT,x\nP2 GGCCAATT"), (Rows{{"P1 ACGTACGT", "x"}, {"P2 GGCCAATT"}}));
}

TEST(DelimitedTextParser, ColumnLimitCountsCellsOfEveryRecord) {
  EXPECT_EQ(tooManyColumns("a,b,c,d,"), 5);
  EXPECT_EQ(tooManyColumns("Name\n1,2,3,4,5,6"), 6);
  EXPECT_EQ(tooManyColumns("Name\n" + std::string(99, ',') + "\nP1,ACGTA"), 100);
  EXPECT_EQ(tooManyColumns("a,b,c,\"d,e,f\""), -1);
  EXPECT_EQ(tooManyColumns("a\tb\tc\td\t\t\t", "tsv"), -1);  // trailing tabs are trimmed
  EXPECT_EQ(tooManyColumns("\t\ta\tb\tc\td", "tsv"), -1);    // and so are leading ones
}

TEST(DelimitedTextParser, PrimersAndTheLooseHeaderTest) {
  using F = std::vector<Fields>;
  EXPECT_EQ(parse("Name,Sequence\nP1,ACGTACGT"), (F{{false, "P1", "ACGTACGT", ""}}));
  for (std::string_view extension : {"txt", "tsv", "dat"}) {
    EXPECT_EQ(parse("Name,Sequence\nP1,ACGTACGT", extension), (F{{false, "P1,ACGTACGT", "", ""}}));
  }
  EXPECT_EQ(parse("Selected\tName\tSequence\tComment\r\n\r\n1\tP1\tACGTACGT\tfirst\r\n", "tsv"),
            (F{{true, "P1", "ACGTACGT", "first"}}));
  // Quoting is the same for every delimiter: the text after the closing quote
  // is appended to the field.
  EXPECT_EQ(parse("\"P1, fwd\",ACGT", "txt"), (F{{false, "P1, fwd,ACGT", "", ""}}));
  // Substrings count: these first lines are headers.
  EXPECT_TRUE(parse("P1_name,ACGTACGT").empty());
  EXPECT_TRUE(parse("SEQUENCES").empty());
  EXPECT_EQ(parse("Primer Name,Seq\nP1,ACGTA"), (F{{false, "P1", "ACGTA", ""}}));
  EXPECT_EQ(parse("P1,ACGTACGT"), (F{{false, "P1", "ACGTACGT", ""}}));
  // The header test sees the first record as written, quotes included.
  EXPECT_EQ(parse("\"Sel\"\"ected\",x\nP1,ACGT").size(), 2u);
  EXPECT_EQ(parse("\" SELECTED \",\"Name\"\n1,P1,acgt"), (F{{true, "P1", "acgt", ""}}));
  EXPECT_EQ(parse("\"P1 \nfirst name\",ACGT\nP2,ACGTA"), (F{{false, "P2", "ACGTA", ""}}));
  EXPECT_TRUE(parse(" \r\n\t\xE2\x80\xA8").empty());
  // Quoted cells are trimmed and cleaned like every cell.
  EXPECT_EQ(parse("Name,Sequence,Comment\n\" P1 \",\"/5Phos/ACGT\",\"forward, exon 2\n\""),
            (F{{false, "P1", "ACGT", "forward, exon 2\n"}}));
}

std::vector<Fields> parseFixture(const std::string& name, std::string_view extension) {
  auto text = decodeText(testing::testData("text/" + name));
  EXPECT_TRUE(text.hasValue()) << name;
  return text ? parse(*text, extension) : std::vector<Fields>{};
}

TEST(DelimitedTextParser, FilesAsSpreadsheetProgramsSaveThem) {
  EXPECT_EQ(parseFixture("spreadsheet-utf8.csv", "csv"),
            (std::vector<Fields>{{true, "P1", "ACGTACGTAC", "forward, exon 2"},
                                 {false, "P2 \"rev\"", "GGCCAATT", "line one\nline two"},
                                 {true, "Sonde \xCE\xB1", "acgtnnacgt", ""}}));
  EXPECT_EQ(parseFixture("spreadsheet-semicolon.csv", "csv"),
            (std::vector<Fields>{{true, "P1", "ACGTACGTAC", "forward, exon 2"}, {false, "P2", "TTGGCCAA", ""}}));
  EXPECT_EQ(parseFixture("spreadsheet-utf16le.txt", "txt"),
            (std::vector<Fields>{{true, "P1", "ACGTACGTAC", "forward, exon 2"},
                                 {false, "P2 \xF0\x9F\x98\x80", "TTGGCCAA", "tab\there"}}));
}

// The plain rules, written the slow and obvious way: split at line breaks,
// trim, drop blank lines, split at the delimiter, trim every cell.
Rows plainReading(std::string_view text, char delimiter) {
  auto trim = [](std::string s) {
    s.erase(0, s.find_first_not_of(" \t"));
    return s.erase(s.find_last_not_of(" \t") + 1);
  };
  Rows rows;
  std::string line;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && std::string_view("\n\r\x0B\x0C").find(text[i]) == std::string_view::npos) {
      line += text[i];
    } else if (!(line = trim(line)).empty()) {
      rows.emplace_back();
      for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
        end = line.find(delimiter, start);
        rows.back().push_back(trim(line.substr(start, end == std::string::npos ? end : end - start)));
      }
      line.clear();
    }
  }
  return rows;
}

TEST(DelimitedTextParser, TextWithoutQuotesReadsByThePlainRules) {
  constexpr std::string_view kPieces[] = {"a", "b", ",", "\t", " ", "\n", "\r\n", "\x0B", ";", "AC"};
  std::uint32_t state = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (int i = 0; i < round % 40; ++i) {
      state = state * 1664525u + 1013904223u;
      text += kPieces[(state >> 16) % std::size(kPieces)];
    }
    // A record with the delimiter keeps runs of spaces from splitting; a comma
    // in the first record keeps the comma even when semicolons occur.
    ASSERT_EQ(split("x\ty\n" + text, "tsv"), plainReading("x\ty\n" + text, '\t')) << text;
    ASSERT_EQ(split("x,y\n" + text, "csv"), plainReading("x,y\n" + text, ',')) << text;
  }
}

}  // namespace
}  // namespace tamsel
