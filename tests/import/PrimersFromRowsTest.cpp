#include "import/ConvertRows.h"

#include <gtest/gtest.h>

#include "DenseRows.h"
#include "model/ImportError.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using Fields = PrimerFields;

std::vector<Fields> convert(const Rows& rows) {
  auto result = primersFromRows(testing::rowTable(rows));
  EXPECT_TRUE(result.hasValue());
  return result ? fieldsOf(*result) : std::vector<Fields>{};
}

// The message of the conversion's failure, empty when the table converts.
std::string failure(const RowTable& table) {
  auto result = primersFromRows(table);
  return result ? "" : result.error().message;
}

std::string tooManyColumns(int columns) { return ImportError::tooManyColumns(columns).message; }

TEST(PrimersFromRows, HeaderRecognitionAndLayouts) {
  EXPECT_TRUE(convert({}).empty());
  EXPECT_EQ(convert({{"Name", "Sequence"}, {"P1", "ACGTACGT"}}),
            (std::vector<Fields>{{false, "P1", "ACGTACGT", ""}}));
  EXPECT_EQ(convert({{" SELECTED ", "Name", "Sequence", "Comment"},
                     {"1", "P1", "acgt acgt", "c"},
                     {"yes", "P2", "ACGTA"}}),
            (std::vector<Fields>{{true, "P1", "acgtacgt", "c"}, {false, "P2", "ACGTA", ""}}));
  // Header words map their own columns, in any order and decorated.
  EXPECT_EQ(convert({{"Sequence", "Name"}, {"P1", "ACGT"}}), (std::vector<Fields>{{false, "ACGT", "", ""}}));
  EXPECT_TRUE(convert({{"Primer Name", "Sequence (5'-3')"}}).empty());
  // No sequence word and no exact word: data.
  EXPECT_EQ(convert({{"Names", "ACGT"}}).size(), 1u);
  EXPECT_TRUE(convert({{"Name", "Sequence"}}).empty());
}

TEST(PrimersFromRows, RowsWithoutHeader) {
  // Four cells without a header: the plain layout, unless another column
  // holds the sequences; then the text column before it is the name.
  EXPECT_EQ(convert({{"P1", "ACGTACGT", "note", "x"}}), (std::vector<Fields>{{false, "P1", "ACGTACGT", "note"}}));
  EXPECT_EQ(convert({{"1", "P1", "ACGTACGT", "note"}}), (std::vector<Fields>{{false, "P1", "ACGTACGT", "note"}}));
  EXPECT_EQ(convert({{"1", "P1", "ACGT", "note"}}), (std::vector<Fields>{{false, "1", "", "ACGT"}}));
  EXPECT_EQ(convert({{"P1"}, {"P2"}}), (std::vector<Fields>{{false, "P1", "", ""}, {false, "P2", "", ""}}));
}

TEST(PrimersFromRows, CellCleanUpAndSkipping) {
  EXPECT_EQ(convert({{"", "----"}, {"P1", "----"}, {"", "", "comment only"}}),
            (std::vector<Fields>{{false, "P1", "", ""}}));
  EXPECT_EQ(convert({{"P1\n", "/5Phos/ACGT"}, {" P2 ", "ac gt", " c "}}),
            (std::vector<Fields>{{false, "P1\n", "ACGT", ""}, {false, "P2", "acgt", "c"}}));
  // A row with the selected column but no cells.
  EXPECT_EQ(convert({{"Selected", "Name"}, {}, {"1", "P1"}}), (std::vector<Fields>{{true, "P1", "", ""}}));
}

TEST(PrimersFromRows, ColumnLimitCountsTrailingEmptyCellsAndGaps) {
  EXPECT_EQ(failure(testing::rowTable({{"", "", "", "", ""}})), tooManyColumns(5));
  // A header that names the columns lifts the limit.
  EXPECT_EQ(failure(testing::rowTable({{"Selected", "Name", "Sequence", "Comment"}, {"1", "P1", "ACGT", "c", "x"}})),
            "");
  EXPECT_EQ(failure(testing::rowTable({{"Selected", "Name", "Comment"}, {"1", "P1", "ACGT", "c", "x"}})),
            tooManyColumns(5));
  RowTable sparse;
  sparse.addRow();
  sparse.setCell(0, "P1");
  sparse.setCell(6, "far");
  EXPECT_EQ(failure(sparse), tooManyColumns(7));
  RowTable padded = testing::rowTable({{"P1", "ACGT"}});
  padded.setRowWidth(0, 5);
  EXPECT_EQ(failure(padded), tooManyColumns(5));
  EXPECT_EQ(failure(testing::rowTable({{"", "", "", ""}})), "");
}

}  // namespace
}  // namespace tamsel
