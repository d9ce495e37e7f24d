#pragma once

// Row tables written out whole, gaps as empty texts, for tests that compare
// what a reader made of a file.

#include <string>
#include <vector>

#include "model/RowTable.h"

namespace tamsel::testing {

using DenseRows = std::vector<std::vector<std::string>>;

inline RowTable rowTable(const DenseRows& rows) {
  RowTable table;
  for (const auto& row : rows) {
    table.addRow();
    for (std::size_t column = 0; column < row.size(); ++column) {
      table.setCell(static_cast<std::uint32_t>(column), row[column]);
    }
  }
  return table;
}

inline DenseRows dense(const RowTable& table) {
  DenseRows rows;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const RowTable::RowView row = table.row(i);
    std::vector<std::string>& cells = rows.emplace_back(row.width());
    for (const RowTable::Cell& cell : row.cells()) cells[cell.column] = std::string(row.text(cell));
  }
  return rows;
}

}  // namespace tamsel::testing
