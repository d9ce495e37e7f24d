#include "model/RowTable.h"

#include <gtest/gtest.h>

#include "DenseRows.h"

namespace tamsel {
namespace {

using Dense = std::vector<std::vector<std::string>>;

TEST(RowTable, DenseFormKeepsGapsAndWidthsAndTheLaterCellWins) {
  RowTable table;
  table.addRow();
  table.setCell(3, "d");
  table.setCell(1, "b");
  table.setCell(3, "D");
  table.setCell(0, "a");
  table.addRow();
  table.addRow();
  table.setCell(1, "");
  table.setCell(0, "x");
  table.setCell(0, "y");
  EXPECT_EQ(testing::dense(table), (Dense{{"a", "b", "", "D"}, {}, {"y", ""}}));
  EXPECT_EQ(table.maxWidth(), 4u);
  EXPECT_EQ(table.row(0).cell(2), "");
  // Cells given out of column order are found by column, one per column.
  EXPECT_EQ(table.row(0).cells().size(), 3u);
  EXPECT_EQ(table.row(0).cell(1), "b");
  EXPECT_EQ(table.row(0).cell(3), "D");
}

TEST(RowTable, TextsInsideTheSourceAreViewedOthersCopied) {
  const std::string source = "P1,ACGTACGT";
  RowTable table;
  table.referTo(source);
  std::string scratch = "quoted";
  table.setCell(0, std::string_view(source).substr(0, 2));
  table.setCell(1, scratch);
  scratch = "changed";
  EXPECT_EQ(table.row(0).cell(0).data(), source.data());
  EXPECT_EQ(table.row(0).cell(1), "quoted");
  table.clear();
  EXPECT_TRUE(table.empty());
}

TEST(RowTable, FarColumnCostsOneCell) {
  RowTable table;
  table.addRow();
  table.setCell(65535, "far");
  table.setRowWidth(0, 70000);
  EXPECT_EQ(table.row(0).cells().size(), 1u);
  EXPECT_EQ(table.row(0).width(), 70000u);
  EXPECT_EQ(table.row(0).cell(65535), "far");
}

TEST(RowTable, ALargeTableGrownInPlaceAndItsCopyKeepEveryCell) {
  // Far past the sizes the allocator serves from its heap.
  RowTable table;
  for (std::uint32_t r = 0; r < 100000; ++r) {
    table.addRow();
    table.setCell(1, std::to_string(r));
    table.setCell(0, "n");
  }
  RowTable copy = table;
  table.clear();
  table.addRow();
  table.setCell(0, "other");
  ASSERT_EQ(copy.size(), 100000u);
  for (std::uint32_t r : {0u, 4095u, 65536u, 99999u}) {
    EXPECT_EQ(copy.row(r).cell(1), std::to_string(r));
    EXPECT_EQ(copy.row(r).cells().size(), 2u);
  }
  EXPECT_EQ(table.row(0).cell(0), "other");
}

}  // namespace
}  // namespace tamsel
