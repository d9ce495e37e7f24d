#include "model/SheetChoice.h"

#include <gtest/gtest.h>

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(SheetChoice, SequenceColumnByHeaderOrByContent) {
  const struct {
    Rows rows;
    bool has;
  } cases[] = {
      {{{"Name", " SEQUENCE "}}, true},
      {{{"Oligo", "Seq"}, {"P1", "ACGT ACGTA"}}, true},
      {{{"P1", "ACGTACGT"}, {"P2", "n/a"}, {"P3", "-"}}, false},
      {{{"Contact", "lab@example.org"}, {"Updated", "2024-03-01"}}, false},
      {{{"P1", "ACGT"}}, false},
      {{}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(hasSequenceColumn(RowTable::fromRows(c.rows)), c.has) << c.rows.size();
}

Expected<WorkbookSheet, ReaderError> pick(const SheetChoice& choice, const std::vector<Rows>& sheets) {
  SheetPicker picker(choice);
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (picker.wants(std::string(1, 'S').append(std::to_string(i + 1)))) picker.offer(RowTable::fromRows(sheets[i]));
  }
  return picker.finish("Test");
}

TEST(SheetChoice, PickerKeepsTheChosenSheetAndEveryName) {
  const std::vector<Rows> sheets{{{"Cover"}}, {{"P1", "ACGTACGT"}}, {{"P2", "GGGGGCCCCC"}}};
  auto automatic = pick(SheetChoice(), sheets);
  ASSERT_TRUE(automatic.hasValue());
  EXPECT_EQ(automatic->sheetIndex, 1u);
  EXPECT_EQ(automatic->sheetNames, (std::vector<std::string>{"S1", "S2", "S3"}));
  EXPECT_EQ(automatic->rows.toDense(), sheets[1]);

  // Without a sheet of sequences, the first one, as a single-sheet reader gave.
  auto fallback = pick(SheetChoice(), {{{"a"}}, {{"b"}}});
  ASSERT_TRUE(fallback.hasValue());
  EXPECT_EQ(fallback->sheetIndex, 0u);
  EXPECT_EQ(fallback->rows.toDense(), (Rows{{"a"}}));

  EXPECT_EQ(pick(SheetChoice::byName("S3"), sheets)->rows.toDense(), sheets[2]);
  EXPECT_EQ(pick(SheetChoice::byNumber(1), sheets)->rows.toDense(), sheets[0]);
  auto missing = pick(SheetChoice::byNumber(4), sheets);
  ASSERT_FALSE(missing.hasValue());
  EXPECT_EQ(missing.error().message, "The workbook has no sheet number 4; its worksheets are \"S1\", \"S2\", \"S3\".");
}

}  // namespace
}  // namespace tamsel
