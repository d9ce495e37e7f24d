#pragma once

// The cells of a worksheet in the order their records stand, and their layout
// as a row table: every row as wide as the widest column used anywhere (empty
// texts count), rows whose texts are all empty left out without a gap, and
// the later of two cells at one position replacing the earlier.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/RowTable.h"

namespace tamsel {

class CellList {
 public:
  void add(std::uint32_t row, std::uint32_t column, std::string_view text);
  // For callers that build the text in place: append to arena(), then commit().
  std::string& arena() { return text_; }
  void commit(std::uint32_t row, std::uint32_t column, std::size_t textBegin);

  std::size_t size() const { return cells_.size(); }
  RowTable buildRowTable();

 private:
  struct Cell {
    std::uint64_t position;  // row << 32 | column: sorts by row, then column
    std::uint32_t length;
    std::uint64_t offset;
  };

  std::vector<Cell> cells_;
  std::string text_;
};

}  // namespace tamsel
