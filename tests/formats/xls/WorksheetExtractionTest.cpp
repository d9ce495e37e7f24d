// From a workbook stream to a worksheet's row table: sheet choice,
// cell records, formula results, Excel 5.0/95 texts and the row-table rules.

#include <gtest/gtest.h>

#include "DenseRows.h"
#include "XLSTestBuilders.h"
#include "formats/xls/BIFFParser.h"
#include "formats/xls/CellList.h"

namespace tamsel::xls {
namespace {

using namespace tamsel::testing;
using Rows = std::vector<std::vector<std::string>>;

constexpr std::uint16_t kGlobals = 0x0005, kWorksheet = 0x0010, kChart = 0x0020;

Rows extract(const BIFFBuilder& builder) {
  auto result = BIFFParser::extractSheet(builder.bytes(), SheetChoice());
  return result ? testing::dense(result->rows) : Rows{{"error: " + result.error().message}};
}

Bytes withValue(Bytes body, std::uint32_t value) {
  le::appendU32(body, value);
  return body;
}

TEST(WorksheetExtractionTest, FirstWorksheetOfTheGlobalsList) {
  // The globals list a chart sheet, then two worksheets stored in the other order.
  BIFFBuilder b;
  std::size_t chart, first, second;
  b.bof(kGlobals).boundSheet(2, &chart).boundSheet(0, &first).boundSheet(0, &second).eof();
  b.pointSheetHere(second).bof(kWorksheet).label(0, 0, "second").eof();
  b.pointSheetHere(chart).bof(kChart).number(0, 0, 99).eof();
  b.pointSheetHere(first).bof(kWorksheet).label(0, 0, "first").label(2, 1, "B3");
  b.bof(kChart).number(9, 9, 1).eof();  // an embedded chart adds nothing
  b.number(1, 0, 2).eof();
  EXPECT_EQ(extract(b), (Rows{{"first", ""}, {"2", ""}, {"", "B3"}}));

  // Without BOF records the whole stream is walked, later cells replacing earlier.
  EXPECT_EQ(extract(BIFFBuilder().label(0, 0, "a").eof().label(0, 0, "b").label(1, 1, "c")),
            (Rows{{"b", ""}, {"", "c"}}));
  // Globals without a worksheet after them: the cells after the globals' end.
  EXPECT_EQ(extract(BIFFBuilder().bof(kGlobals).eof().label(0, 0, "x").label(1, 0, "y")), (Rows{{"x"}, {"y"}}));
  // A FILEPASS record in the globals: the records after it are encrypted.
  EXPECT_EQ(extract(BIFFBuilder().bof(kGlobals).record(0x002F, {1, 0}).eof().bof(kWorksheet).eof()),
            (Rows{{"error: The workbook is password-protected. Save it without a password and open it again."}}));
}

TEST(WorksheetExtractionTest, SheetsByNameAndNumber) {
  // A chart sheet and four worksheets: one's position never set, another's
  // the same as the first worksheet's (neither names a sheet).
  BIFFBuilder b;
  std::size_t chart, cover, primers, lost, twin;
  b.bof(kGlobals).boundSheet(2, &chart, "Chart").boundSheet(0, &cover, "Cover").boundSheet(0, &primers, "Primers");
  b.boundSheet(0, &lost, "Lost").boundSheet(0, &twin, "Twin").eof();
  b.pointSheetHere(cover).pointSheetHere(twin).bof(kWorksheet).label(0, 0, "title").eof();
  b.pointSheetHere(primers).bof(kWorksheet).label(0, 0, "P1").label(0, 1, "ACGTACGT").eof();
  const auto twoColumns = [](const RowTable& rows) { return rows.row(0).width() == 2; };
  const struct {
    SheetChoice choice;
    std::size_t index;
    Rows rows;
  } cases[] = {
      {SheetChoice(), 0, {{"title"}}},
      {SheetChoice::firstWithSequences(twoColumns), 1, {{"P1", "ACGTACGT"}}},
      {SheetChoice::byName("Primers"), 1, {{"P1", "ACGTACGT"}}},
      {SheetChoice::byNumber(1), 0, {{"title"}}},
  };
  for (const auto& c : cases) {
    auto sheet = BIFFParser::extractSheet(b.bytes(), c.choice);
    ASSERT_TRUE(sheet.hasValue()) << sheet.error().message;
    EXPECT_EQ(sheet->sheetNames, (std::vector<std::string>{"Cover", "Primers"}));
    EXPECT_EQ(sheet->sheetIndex, c.index);
    EXPECT_EQ(testing::dense(sheet->rows), c.rows);
  }
  auto lostSheet = BIFFParser::extractSheet(b.bytes(), SheetChoice::byName("Lost"));
  ASSERT_FALSE(lostSheet.hasValue());
  EXPECT_EQ(lostSheet.error().message,
            "The workbook has no sheet named \"Lost\"; its worksheets are \"Cover\", \"Primers\".");
}

TEST(WorksheetExtractionTest, CellRecords) {
  BIFFBuilder b;
  b.bof(kGlobals).record(0x00FC, cat({3, 0, 0, 0, 3, 0, 0, 0}, cat(compressedString("s"), compressedString(""))));
  b.eof().bof(kWorksheet);
  b.record(0x00FD, withValue(cellHeader(0, 0), 0));
  b.record(0x00FD, withValue(cellHeader(0, 6), 1));  // an empty text still widens every row
  b.record(0x00FD, withValue(cellHeader(0, 9), 3));  // beyond the table: no cell
  b.record(0x027E, withValue(cellHeader(1, 0), 0x3FF00001));
  b.number(1, 1, 1e15).number(1, 2, 999999999999999.0).number(1, 3, -0.0);
  Bytes mulrk{2, 0, 1, 0};
  for (std::uint32_t rk : {6u, 10u, 0x40040000u}) le::appendU16(mulrk, 15), le::appendU32(mulrk, rk);
  b.record(0x00BD, cat(mulrk, {3, 0}));
  b.record(0x0205, cat(cellHeader(3, 0), {1, 0})).record(0x0205, cat(cellHeader(3, 1), {7, 1}));  // TRUE, #NULL!
  b.record(0x0201, cellHeader(4, 8)).eof();  // BLANK
  EXPECT_EQ(extract(b), (Rows{{"s", "", "", "", "", "", ""},
                              {"0.01", "1e+15", "999999999999999", "0", "", "", ""},
                              {"", "1", "2", "2.5", "", "", ""},
                              {"1", "", "", "", "", "", ""}}));
}

Bytes formula(std::uint16_t row, std::initializer_list<int> result) {
  Bytes body = cellHeader(row, 0);
  putBytes(body, result);
  return cat(body, Bytes(8, 0));  // then flags, chain, empty expression
}

TEST(WorksheetExtractionTest, CachedFormulaResults) {
  BIFFBuilder b;
  b.bof(kGlobals).eof().bof(kWorksheet);
  b.record(0x0006, formula(0, {0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));  // 1.5
  b.record(0x0006, formula(1, {0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));  // text in the STRING after it,
  b.record(0x0207, {5, 0, 0, 'A', 'C'}).record(0x003C, {0x01, 'G', 0, 'T', 0, 'N', 0});  // continued
  b.record(0x0006, formula(2, {1, 0, 1, 0, 0, 0, 0xFF, 0xFF}));  // TRUE
  b.record(0x0006, formula(3, {1, 0, 0, 0, 0, 0, 0xFF, 0xFF}));  // FALSE
  b.record(0x0006, formula(4, {2, 0, 7, 0, 0, 0, 0xFF, 0xFF}));  // #DIV/0!
  b.record(0x0006, formula(5, {3, 0, 0, 0, 0, 0, 0xFF, 0xFF}));  // empty text
  b.record(0x0006, formula(6, {0, 0, 0, 0, 0, 0, 0xFF, 0xFF})).record(0x0207, {0, 0, 0});  // empty STRING
  b.record(0x0207, compressedString("stray"));  // no formula waits for it
  // A record that ends with its result is read; one byte less is not a formula.
  b.record(0x0006, cat(cellHeader(7, 0), {0, 0, 0, 0, 0, 0, 0x04, 0x40}));
  b.record(0x0006, cat(cellHeader(8, 0), {0, 0, 0, 0, 0, 0, 0x04})).eof();
  EXPECT_EQ(extract(b), (Rows{{"1.5"}, {"ACGTN"}, {"1"}, {"0"}, {"2.5"}}));
}

TEST(WorksheetExtractionTest, ExcelFiveTextsInTheirCodePage) {
  BIFFBuilder central;  // code page 10029, Mac Central Europe
  central.bof(kGlobals, 0x0500).record(0x0042, {0x2D, 0x27}).eof().bof(kWorksheet, 0x0500);
  central.record(0x0204, cat(cellHeader(0, 0), {2, 0, 0x84, 'a'})).record(0x00D6, cat(cellHeader(0, 1), {1, 0, 0xFC}));
  central.record(0x0006, formula(1, {0, 0, 0, 0, 0, 0, 0xFF, 0xFF})).record(0x0207, {2, 0, 0x88, 'b'}).eof();
  EXPECT_EQ(extract(central), (Rows{{"\u0104a", "\u0141"}, {"\u0105b", ""}}));

  BIFFBuilder plain;  // no CODEPAGE record: Windows-1252
  plain.bof(kGlobals, 0x0500).eof().bof(kWorksheet, 0x0500).record(0x0204, cat(cellHeader(0, 0), {2, 0, 0x80, 0xE9}));
  EXPECT_EQ(extract(plain.eof()), (Rows{{"\u20AC\u00E9"}}));
}

TEST(WorksheetExtractionTest, RowTableRules) {
  BIFFBuilder b;
  b.bof(kGlobals).eof().bof(kWorksheet).label(5, 3, "D6").label(0, 1, "B1");
  b.label(2, 0, "gone").label(2, 0, "");  // replaced by an empty text: the row is left out
  b.label(3, 0, "  ").eof();              // blanks are text
  EXPECT_EQ(extract(b), (Rows{{"", "B1", "", ""}, {"  ", "", "", ""}, {"", "", "", "D6"}}));

  // A cell at row and column 65535 is one of the hostile files.

  // 4000 cells of one 8000-character shared string: 32 MB of text from 70 KB.
  BIFFBuilder hostile;
  hostile.record(0x00FC, cat({1, 0, 0, 0, 1, 0, 0, 0}, compressedString(std::string(8000, 'A'))));
  for (std::uint16_t row = 0; row < 4000; ++row) hostile.record(0x00FD, withValue(cellHeader(row, 0), 0));
  EXPECT_EQ(extract(hostile)[0][0],
            "error: The workbook is damaged: its cells repeat far more text than the file holds.");
}

// The text budget counts the cells that remain, not those replaced; reaching it is allowed.
TEST(WorksheetExtractionTest, TextBudgetCountsTheRemainingCells) {
  const SharedStringTable none;
  for (std::size_t budget : {4, 3}) {
    CellList cells(none);
    cells.add(0, 0, "replaced"), cells.add(0, 0, "ab"), cells.add(1, 1, "cd");
    EXPECT_EQ(cells.buildRowTable(budget).has_value(), budget == 4) << budget;
  }
}

}  // namespace
}  // namespace tamsel::xls
