#include <gtest/gtest.h>

#include "DenseRows.h"
#include "TestData.h"
#include "formats/ods/ODSParser.h"
#include "formats/zip/ZIPReaderTestArchive.h"
#include "import/SequenceColumn.h"

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using zipfixture::member;
using zipfixture::TestArchive;

// A content part whose prefixes differ from LibreOffice's: only the
// namespaces count.
std::string content(std::string_view body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><o:document-content"
         " xmlns:o=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
         " xmlns:t=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
         " xmlns:x=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
         " xmlns:d=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\"><o:body><o:spreadsheet>" +
         std::string(body) + "</o:spreadsheet></o:body></o:document-content>";
}

Bytes package(std::string_view body) { return TestArchive({member("content.xml", content(body))}).build(); }

Expected<WorkbookSheet, ReaderError> read(ByteView bytes, const SheetChoice& choice = {}) {
  return ODSParser::parseSheet(bytes, choice);
}

Rows rowsOf(ByteView bytes, const SheetChoice& choice = {}) {
  auto sheet = read(bytes, choice);
  if (!sheet) {
    ADD_FAILURE() << sheet.error().message;
    return {};
  }
  return testing::dense(sheet->rows);
}

TEST(ODSParser, CellTextAsShown) {
  const struct {
    std::string_view row;
    std::vector<std::string> cells;
  } cases[] = {
      // Paragraphs join with line feeds; spans, spaces, tabs and breaks.
      {"<t:table-cell><x:p>a <x:span>b</x:span></x:p><x:p>c<x:s x:c=\"3\"/>d<x:tab/>e<x:line-break/>f</x:p>"
       "</t:table-cell>",
       {"a b\nc   d\te\nf"}},
      // Runs of white space in a paragraph show as one space, none at its ends.
      {"<t:table-cell><x:p>  a \n\t b  </x:p><x:h> <x:s/>c</x:h></t:table-cell>", {"a b\n c"}},
      // A written space at a paragraph's end stays.
      {"<t:table-cell><x:p>a<x:s/></x:p></t:table-cell>", {"a "}},
      // Text outside the cell's paragraphs is not shown.
      {"<t:table-cell>stray <x:p>a</x:p> text</t:table-cell>", {"a"}},
      // Notes, drawings and a table nested in a cell are not its text.
      {"<t:table-cell><o:annotation><x:p>note</x:p></o:annotation><x:p>P1<d:frame><x:p>box</x:p></d:frame></x:p>"
       "<t:table><t:table-row><t:table-cell><x:p>inner</x:p></t:table-cell></t:table-row></t:table></t:table-cell>",
       {"P1"}},
      // A cell without paragraphs shows its value; a covered cell is empty.
      {"<t:table-cell o:value-type=\"float\" o:value=\"3.5\"/><t:covered-table-cell><x:p>hidden</x:p>"
       "</t:covered-table-cell><t:table-cell o:string-value=\"s\"/>",
       {"3.5", "", "s"}},
      // Repeated cells; empty ones only move the column.
      {"<t:table-cell t:number-columns-repeated=\"2\"><x:p>x</x:p></t:table-cell>"
       "<t:table-cell t:number-columns-repeated=\"3\"/><t:table-cell><x:p>y</x:p></t:table-cell>"
       "<t:table-cell t:number-columns-repeated=\"16000\"/>",
       {"x", "x", "", "", "", "y"}},
      {"<t:table-cell t:number-columns-repeated=\"0\"><x:p>z</x:p></t:table-cell>"
       "<t:table-cell t:number-columns-repeated=\"-2\"><x:p>w</x:p></t:table-cell>",
       {"z", "w"}},
  };
  for (const auto& c : cases) {
    const Bytes bytes =
        package("<t:table t:name=\"S\"><t:table-row>" + std::string(c.row) + "</t:table-row></t:table>");
    EXPECT_EQ(rowsOf(bytes), Rows{c.cells}) << c.row;
  }
}

TEST(ODSParser, RepeatedRowsUpToTheLastRowWithText) {
  const std::string a =
      "<t:table-row t:number-rows-repeated=\"2\"><t:table-cell><x:p>a</x:p></t:table-cell>"
      "</t:table-row>";
  const std::string empty = "<t:table-row t:number-rows-repeated=\"3\"><t:table-cell/></t:table-row>";
  const std::string b = "<t:table-row><t:table-cell/><t:table-cell><x:p>b</x:p></t:table-cell></t:table-row>";
  const std::string millionEmpty =
      "<t:table-row t:number-rows-repeated=\"1048000\"><t:table-cell t:number-columns-repeated=\"16384\"/>"
      "</t:table-row>";
  // Rows inside header rows and groups count in their place.
  const Bytes bytes = package(
      "<t:table t:name=\"S\"><t:table-column t:number-columns-repeated=\"9\"/>"
      "<t:table-header-rows>" +
      a + "</t:table-header-rows>" + empty + "<t:table-row-group>" + b + "</t:table-row-group>" + millionEmpty +
      "</t:table>");
  EXPECT_EQ(rowsOf(bytes), (Rows{{"a"}, {"a"}, {}, {}, {}, {"", "b"}}));
}

TEST(ODSParser, TheLibreOfficeFixture) {
  const Rows expected{{"Name", "Sequence", "Comment"},
                      {"P1", "ACGTACGTAC", "first line\nsecond line"},
                      {"P2", "GGCCTTAAGG", "two  spaces,\ta tab"},
                      {"P3", "TTTTTCCCCC", "TTTTTCCCCC"},
                      {"P4", "AAAAAGGGGG", "merged over two columns"},
                      {"P5", "CCCCCAAAAA", "1,234.50"}};
  EXPECT_EQ(rowsOf(testing::testData("ods/primers.ods")), expected);
}

TEST(ODSParser, SheetChoice) {
  const Bytes bytes = testing::testData("sheets/cover_then_primers.ods");
  const std::vector<std::string> names{"Cover", "Primers", "Notes", "More primers"};
  const struct {
    SheetChoice choice;
    std::size_t index;
    Rows rows;
  } cases[] = {
      {SheetChoice::firstWithSequences(hasSequenceColumn),
       1,
       {{"Name", "Sequence"}, {"Fwd-1", "ACGTACGTACGT"}, {"Rev-1", "TTGCAAGGCCTA"}}},
      {SheetChoice::byNumber(4), 3, {{"Name", "Sequence", "Comment"}, {"Fwd-2", "GGGGGAAAAACC", "second pair"}}},
      {SheetChoice::byName("Notes"), 2, {{"Store at -20 C"}, {"Thaw on ice"}}},
  };
  for (const auto& c : cases) {
    auto sheet = read(bytes, c.choice);
    ASSERT_TRUE(sheet.hasValue()) << sheet.error().message;
    EXPECT_EQ(sheet->sheetNames, names);
    EXPECT_EQ(sheet->sheetIndex, c.index);
    EXPECT_EQ(testing::dense(sheet->rows), c.rows);
  }
  // An empty first sheet gives way to the primers after it.
  EXPECT_EQ(
      rowsOf(testing::testData("sheets/empty_first_sheet.ods"), SheetChoice::firstWithSequences(hasSequenceColumn)),
      (Rows{{"P1", "ACGTACGTAC"}, {"P2", "GGCCTTAAGG"}}));
}

TEST(ODSParser, Refusals) {
  const std::string encrypted =
      "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
      "<manifest:file-entry manifest:full-path=\"content.xml\"><manifest:encryption-data/></manifest:file-entry>"
      "</manifest:manifest>";
  const struct {
    Bytes bytes;
    SheetChoice choice;
    std::string message;
  } cases[] = {
      {Bytes{'P', 'K'}, SheetChoice(), "Could not find content.xml in the ODS file."},
      {TestArchive({member("styles.xml", "<x/>")}).build(), SheetChoice(),
       "Could not find content.xml in the ODS file."},
      {TestArchive({member("META-INF/manifest.xml", encrypted), member("content.xml", "\x01\x02")}).build(),
       SheetChoice(), "The workbook is password-protected. Save it without a password and open it again."},
      {testing::testData("sheets/cover_then_primers.ods"), SheetChoice::byName("primers"),
       "The workbook has no sheet named \"primers\"; its worksheets are \"Cover\", \"Primers\", \"Notes\", "
       "\"More primers\"."},
      {package(""), SheetChoice::byNumber(1), "The workbook has no sheet number 1; it has no worksheet."},
  };
  for (const auto& c : cases) {
    auto sheet = read(c.bytes, c.choice);
    ASSERT_FALSE(sheet.hasValue()) << c.message;
    EXPECT_EQ(sheet.error().domain, "ODSParser");
    EXPECT_EQ(sheet.error().message, c.message);
  }
  // A content part without a sheet is an empty table, as an empty sheet is.
  auto none = read(package(""));
  ASSERT_TRUE(none.hasValue());
  EXPECT_TRUE(none->rows.empty());
}

}  // namespace
}  // namespace tamsel
