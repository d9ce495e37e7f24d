// From a workbook stream to the first worksheet's row table: sheet choice,
// cell records, formula results, Excel 5.0/95 texts and the row-table rules.

#include <gtest/gtest.h>

#include "XLSTestBuilders.h"
#include "formats/xls/BIFFParser.h"
#include "formats/xls/XLSParser.h"

namespace tamsel {
namespace {

using namespace tamsel::testing;
using Rows = std::vector<std::vector<std::string>>;

constexpr std::uint16_t kGlobals = 0x0005;
constexpr std::uint16_t kWorksheet = 0x0010;
constexpr std::uint16_t kChart = 0x0020;

Rows extract(const BIFFBuilder& builder) {
  auto result = BIFFParser::extractRows(builder.bytes());
  if (!result) {
    ADD_FAILURE() << result.error().message;
    return {};
  }
  return result->toDense();
}

// A workbook whose globals list a chart sheet and then two worksheets, the
// second of which is stored first in the stream.
TEST(WorksheetExtractionTest, FirstWorksheetOfTheGlobalsList) {
  BIFFBuilder b;
  std::size_t chartEntry, firstEntry, secondEntry;
  b.bof(kGlobals).boundSheet(2, &chartEntry).boundSheet(0, &firstEntry).boundSheet(0, &secondEntry).eof();
  b.setSheetOffset(secondEntry, b.size());
  b.bof(kWorksheet).label(0, 0, "second").eof();
  b.setSheetOffset(chartEntry, b.size());
  b.bof(kChart).number(0, 0, 99).eof();
  b.setSheetOffset(firstEntry, b.size());
  b.bof(kWorksheet).label(0, 0, "first").label(2, 1, "B3");
  // An embedded chart inside the sheet contributes nothing.
  b.bof(kChart).number(9, 9, 1).eof();
  b.number(1, 0, 2).eof();
  EXPECT_EQ(extract(b), (Rows{{"first", ""}, {"2", ""}, {"", "B3"}}));
}

TEST(WorksheetExtractionTest, FallbacksWithoutWorkbookStructure) {
  // A BOUNDSHEET whose position misses every BOF: the first worksheet BOF
  // after the globals is taken.
  BIFFBuilder misplaced;
  std::size_t entry;
  misplaced.bof(kGlobals).boundSheet(0, &entry).eof();
  misplaced.setSheetOffset(entry, 3);
  misplaced.bof(kWorksheet).label(0, 0, "sheet").eof().bof(kWorksheet).label(0, 0, "later").eof();
  EXPECT_EQ(extract(misplaced), (Rows{{"sheet"}}));

  // No BOF at all: the whole stream is walked, later cells replacing earlier.
  BIFFBuilder bare;
  bare.label(0, 0, "a").eof().label(0, 0, "b").label(1, 1, "c");
  EXPECT_EQ(extract(bare), (Rows{{"b", ""}, {"", "c"}}));
}

TEST(WorksheetExtractionTest, PasswordProtectedWorkbooksAreRefused) {
  BIFFBuilder b;
  b.bof(kGlobals).record(0x002F, {1, 0, 1, 0}).eof().bof(kWorksheet).label(0, 0, "x").eof();
  auto result = BIFFParser::extractRows(b.bytes());
  ASSERT_FALSE(result.hasValue());
  EXPECT_EQ(result.error().domain, "XLSParser");
  EXPECT_EQ(result.error().code, 1);
  EXPECT_NE(result.error().message.find("password-protected"), std::string::npos);
}

TEST(WorksheetExtractionTest, CellRecords) {
  BIFFBuilder b;
  Bytes sst;
  put32(sst, 3);
  put32(sst, 3);
  for (const char* text : {"shared", ""}) {
    Bytes s = compressedString(text);
    sst.insert(sst.end(), s.begin(), s.end());
  }
  Bytes labelSST = cellHeader(0, 0);
  put32(labelSST, 0);
  Bytes emptyShared = cellHeader(0, 6);  // an empty text still widens every row
  put32(emptyShared, 1);
  Bytes missingShared = cellHeader(0, 9);  // index 3 is beyond the table: no cell
  put32(missingShared, 3);
  Bytes rk = cellHeader(1, 0);
  put32(rk, 0x3FF00001);
  Bytes mulrk;
  put16(mulrk, 2);
  put16(mulrk, 1);
  for (std::uint32_t value : {6u, 10u, 0x40040000u}) {
    put16(mulrk, 15);
    put32(mulrk, value);
  }
  put16(mulrk, 3);
  Bytes boolean = cellHeader(3, 0);
  putBytes(boolean, {1, 0});
  Bytes error = cellHeader(3, 1);
  putBytes(error, {7, 1});

  b.bof(kGlobals).record(0x00FC, sst).eof();
  b.bof(kWorksheet).record(0x00FD, labelSST).record(0x00FD, emptyShared).record(0x00FD, missingShared);
  b.record(0x027E, rk).number(1, 1, 1e15).number(1, 2, 999999999999999.0).number(1, 3, -0.0);
  b.record(0x00BD, mulrk).record(0x0205, boolean).record(0x0205, error);
  b.record(0x0201, cellHeader(4, 8));  // BLANK
  b.eof();
  EXPECT_EQ(extract(b), (Rows{{"shared", "", "", "", "", "", ""},
                              {"0.01", "1e+15", "999999999999999", "0", "", "", ""},
                              {"", "1", "2", "2.5", "", "", ""},
                              {"1", "", "", "", "", "", ""}}));
}

Bytes formula(std::uint16_t row, std::uint16_t column, std::initializer_list<int> result) {
  Bytes body = cellHeader(row, column);
  putBytes(body, result);
  putBytes(body, {0, 0, 0, 0, 0, 0, 0, 0});  // flags, chain, empty expression
  return body;
}

TEST(WorksheetExtractionTest, CachedFormulaResults) {
  BIFFBuilder b;
  b.bof(kGlobals).eof().bof(kWorksheet);
  b.record(0x0006, formula(0, 0, {0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));  // 1.5
  b.record(0x0006, formula(1, 0, {0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));  // text, in the STRING after it
  // A result longer than one record goes on in a CONTINUE with a new flags byte.
  Bytes text;
  putBytes(text, {5, 0, 0, 'A', 'C'});
  b.record(0x0207, text).record(0x003C, {0x01, 'G', 0, 'T', 0, 'N', 0});
  b.record(0x0006, formula(2, 0, {1, 0, 1, 0, 0, 0, 0xFF, 0xFF}));  // TRUE
  b.record(0x0006, formula(3, 0, {1, 0, 0, 0, 0, 0, 0xFF, 0xFF}));  // FALSE
  b.record(0x0006, formula(4, 0, {2, 0, 7, 0, 0, 0, 0xFF, 0xFF}));  // #DIV/0!
  b.record(0x0006, formula(5, 0, {3, 0, 0, 0, 0, 0, 0xFF, 0xFF}));  // empty text
  b.record(0x0006, formula(6, 0, {0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));  // text, but empty
  b.record(0x0207, {0, 0, 0});
  b.record(0x0207, compressedString("stray"));  // no formula waits for it
  b.eof();
  EXPECT_EQ(extract(b), (Rows{{"1.5"}, {"ACGTN"}, {"1"}, {"0"}}));
}

TEST(WorksheetExtractionTest, ExcelFiveTextsInTheirCodePage) {
  auto byteString = [](std::uint16_t row, std::uint16_t column, std::initializer_list<int> bytes) {
    Bytes body = cellHeader(row, column);
    put16(body, static_cast<std::uint16_t>(bytes.size()));
    putBytes(body, bytes);
    return body;
  };
  BIFFBuilder central;
  central.bof(kGlobals, 0x0500).record(0x0042, {0x2D, 0x27}).eof();  // 10029, Mac Central Europe
  central.bof(kWorksheet, 0x0500).record(0x0204, byteString(0, 0, {0x84, 0x61}));  // Ą a
  central.record(0x00D6, byteString(0, 1, {0xFC}));                                 // Ł
  central.record(0x0006, formula(1, 0, {0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
  central.record(0x0207, {2, 0, 0x88, 0x62});  // ą b
  central.eof();
  EXPECT_EQ(extract(central), (Rows{{"\u0104a", "\u0141"}, {"\u0105b", ""}}));

  // Without a CODEPAGE record the texts are Windows-1252.
  BIFFBuilder plain;
  plain.bof(kGlobals, 0x0500).eof().bof(kWorksheet, 0x0500).record(0x0204, byteString(0, 0, {0x80, 0xE9})).eof();
  EXPECT_EQ(extract(plain), (Rows{{"\u20AC\u00E9"}}));
}

TEST(WorksheetExtractionTest, RowTableRules) {
  BIFFBuilder b;
  b.bof(kGlobals).eof().bof(kWorksheet);
  b.label(5, 3, "D6").label(0, 1, "B1");
  b.label(2, 0, "gone").label(2, 0, "");  // replaced by an empty text: the row is left out
  b.label(3, 0, "  ");                   // blanks are text
  b.eof();
  EXPECT_EQ(extract(b), (Rows{{"", "B1", "", ""}, {"  ", "", "", ""}, {"", "", "", "D6"}}));

  // A damaged cell at row 65535, column 65535 costs one cell, not a grid.
  BIFFBuilder far;
  far.bof(kGlobals).eof().bof(kWorksheet).label(0, 0, "A1").label(65535, 65535, "far").eof();
  auto result = BIFFParser::extractRows(far.bytes());
  ASSERT_TRUE(result.hasValue());
  ASSERT_EQ(result->size(), 2u);
  EXPECT_EQ(result->row(0).width(), 65536u);
  EXPECT_EQ(result->row(0).cells().size(), 1u);
  EXPECT_EQ(result->row(1).cell(65535), "far");
}

TEST(WorksheetExtractionTest, CellsRepeatingALongSharedStringWithoutBound) {
  // 4000 cells of one 8000-character string: 32 MB of text from a 70 KB stream.
  Bytes sst;
  put32(sst, 1);
  put32(sst, 1);
  Bytes text = compressedString(std::string(8000, 'A'));
  sst.insert(sst.end(), text.begin(), text.end());
  BIFFBuilder b;
  b.bof(kGlobals).record(0x00FC, sst).eof().bof(kWorksheet);
  for (std::uint16_t row = 0; row < 4000; ++row) {
    Bytes cell = cellHeader(row, 0);
    put32(cell, 0);
    b.record(0x00FD, cell);
  }
  b.eof();
  auto result = BIFFParser::extractRows(b.bytes());
  ASSERT_FALSE(result.hasValue());
  EXPECT_EQ(result.error().message, "The workbook is damaged: its cells repeat far more text than the file holds.");
}

TEST(WorksheetExtractionTest, WorkbookStreamLookup) {
  BIFFBuilder one;
  one.label(0, 0, "from Book");
  BIFFBuilder two;
  two.label(0, 0, "from Workbook");

  auto rowsOf = [](const Bytes& file) {
    auto result = XLSParser::parse(file);
    return result ? result->toDense() : Rows{{result.error().message}};
  };
  EXPECT_EQ(rowsOf(CompoundFileBuilder().stream("Book", one.bytes()).bytes()), (Rows{{"from Book"}}));
  EXPECT_EQ(rowsOf(CompoundFileBuilder().stream("Book", one.bytes()).stream("Workbook", two.bytes()).bytes()),
            (Rows{{"from Workbook"}}));
  EXPECT_EQ(rowsOf(CompoundFileBuilder().stream("BOOK", one.bytes()).bytes()),
            (Rows{{"Could not find Workbook stream in the XLS file."}}));
}

}  // namespace
}  // namespace tamsel
