#include <gtest/gtest.h>

#include "DenseRows.h"
#include "model/SheetChoice.h"

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Stands in for the row-to-primer step's test: a sheet whose first cell is not "Cover".
bool notACover(const RowTable& rows) { return !rows.empty() && rows.row(0).cell(0) != "Cover"; }

Expected<WorkbookSheet, ReaderError> pick(const SheetChoice& choice, const std::vector<Rows>& sheets) {
  SheetPicker picker(choice);
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (picker.wants(std::string(1, 'S').append(std::to_string(i + 1)))) picker.offer(testing::rowTable(sheets[i]));
  }
  return picker.finish("Test");
}

TEST(SheetChoice, PickerKeepsTheChosenSheetAndEveryName) {
  const std::vector<Rows> sheets{{{"Cover"}}, {{"P1", "ACGTACGT"}}, {{"P2", "GGGGGCCCCC"}}};
  auto automatic = pick(SheetChoice::firstWithSequences(notACover), sheets);
  ASSERT_TRUE(automatic.hasValue());
  EXPECT_EQ(automatic->sheetIndex, 1u);
  EXPECT_EQ(automatic->sheetNames, (std::vector<std::string>{"S1", "S2", "S3"}));
  EXPECT_EQ(testing::dense(automatic->rows), sheets[1]);

  // Without a sheet of sequences, or without the test, the first one, as a
  // single-sheet reader gave.
  EXPECT_EQ(pick(SheetChoice(), sheets)->sheetIndex, 0u);
  auto fallback = pick(SheetChoice::firstWithSequences(notACover), {{{"Cover"}}, {{"Cover"}}});
  ASSERT_TRUE(fallback.hasValue());
  EXPECT_EQ(fallback->sheetIndex, 0u);
  EXPECT_EQ(testing::dense(fallback->rows), (Rows{{"Cover"}}));

  EXPECT_EQ(testing::dense(pick(SheetChoice::byName("S3"), sheets)->rows), sheets[2]);
  EXPECT_EQ(testing::dense(pick(SheetChoice::byNumber(1), sheets)->rows), sheets[0]);
  auto missing = pick(SheetChoice::byNumber(4), sheets);
  ASSERT_FALSE(missing.hasValue());
  EXPECT_EQ(missing.error().message, "The workbook has no sheet number 4; its worksheets are \"S1\", \"S2\", \"S3\".");
}

}  // namespace
}  // namespace tamsel
