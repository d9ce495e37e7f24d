#pragma once

// The cells of a worksheet in the order their records stand, and their layout
// as a row table: every row as wide as the widest column used anywhere (empty
// texts count), rows whose texts are all empty left out without a gap, and
// the later of two cells at one position replacing the earlier.
//
// A shared string is held by its index until the table is built, so a
// damaged file that points thousands of cells at one long string costs
// memory only for the cells that survive, and within a budget.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/xls/SharedStringTable.h"
#include "model/RowTable.h"

namespace tamsel::xls {

class CellList {
 public:
  explicit CellList(const SharedStringTable& sharedStrings) : sharedStrings_(sharedStrings) {}

  void add(std::uint32_t row, std::uint32_t column, std::string_view text);
  // A cell holding shared string `index`, which must be below the table's size.
  void addShared(std::uint32_t row, std::uint32_t column, std::uint32_t index);
  // For callers that build the text in place: append to arena(), then commit().
  std::string& arena() { return text_; }
  void commit(std::uint32_t row, std::uint32_t column, std::size_t textBegin);

  // The row table, or nothing when its texts would exceed `textBudget` bytes.
  std::optional<RowTable> buildRowTable(std::size_t textBudget);

 private:
  struct Cell {
    std::uint64_t position;  // row << 32 | column: sorts by row, then column
    std::uint64_t offset;    // into text_, or the shared string's index
    std::uint32_t length;
    bool shared;
  };

  std::string_view textOf(const Cell& cell) const;

  const SharedStringTable& sharedStrings_;
  std::vector<Cell> cells_;
  std::string text_;
};

}  // namespace tamsel::xls
