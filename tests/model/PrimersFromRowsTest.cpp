#include "model/PrimersFromRows.h"

#include <gtest/gtest.h>

#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using Fields = PrimerFields;

std::vector<Fields> convert(const Rows& rows) {
  auto result = primersFromRows(RowTable::fromRows(rows));
  EXPECT_TRUE(result.hasValue());
  return result ? fieldsOf(*result) : std::vector<Fields>{};
}

int tooManyColumns(const RowTable& table) {
  auto result = primersFromRows(table);
  if (result) return -1;
  EXPECT_EQ(result.error().kind, ImportError::Kind::tooManyColumns);
  return result.error().columns;
}

TEST(PrimersFromRows, HeaderRecognitionAndLayouts) {
  EXPECT_TRUE(convert({}).empty());
  EXPECT_EQ(convert({{"Name", "Sequence"}, {"P1", "ACGTACGT"}}),
            (std::vector<Fields>{{false, "P1", "ACGTACGT", ""}}));
  EXPECT_EQ(convert({{" SELECTED ", "Name", "Sequence", "Comment"},
                     {"1", "P1", "acgt acgt", "c"},
                     {"yes", "P2", "ACGTA"}}),
            (std::vector<Fields>{{true, "P1", "acgtacgt", "c"}, {false, "P2", "ACGTA", ""}}));
  // Header words in any position still map column 0 to the name.
  EXPECT_EQ(convert({{"Sequence", "Name"}, {"P1", "ACGT"}}), (std::vector<Fields>{{false, "P1", "ACGT", ""}}));
  // Whole-cell equality only: these are data.
  EXPECT_EQ(convert({{"Primer Name", "Sequence (5'-3')"}}).size(), 1u);
  EXPECT_EQ(convert({{"Names", "ACGT"}}).size(), 1u);
  EXPECT_TRUE(convert({{"Name", "Sequence"}}).empty());
}

TEST(PrimersFromRows, RowsWithoutHeader) {
  // Four cells without a header: no selected column, fourth cell ignored.
  EXPECT_EQ(convert({{"1", "P1", "ACGTACGT", "note"}}), (std::vector<Fields>{{false, "1", "", "ACGTACGT"}}));
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
  EXPECT_EQ(tooManyColumns(RowTable::fromRows({{"", "", "", "", ""}})), 5);
  EXPECT_EQ(tooManyColumns(RowTable::fromRows({{"Selected", "Name", "Sequence", "Comment"},
                                               {"1", "P1", "ACGT", "c", "x"}})),
            5);
  RowTable sparse;
  sparse.addRow();
  sparse.setCell(0, "P1");
  sparse.setCell(6, "far");
  EXPECT_EQ(tooManyColumns(sparse), 7);
  RowTable padded = RowTable::fromRows({{"P1", "ACGTA"}});
  padded.setRowWidth(0, 5);
  EXPECT_EQ(tooManyColumns(padded), 5);
  EXPECT_EQ(tooManyColumns(RowTable::fromRows({{"", "", "", ""}})), -1);
}

}  // namespace
}  // namespace tamsel
