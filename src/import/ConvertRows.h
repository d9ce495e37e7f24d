#pragma once

// The row-to-primer step of every reader with cells: finds the header row,
// gives each column a role from its header words or its cells, reads pair
// rows as two primers, and says how it read the table.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "import/TableLayout.h"
#include "model/ColumnTitles.h"
#include "model/Expected.h"
#include "model/ImportError.h"
#include "model/PrimerList.h"
#include "model/RowTable.h"

namespace tamsel {

// Cells beyond this column need not be stored: no header names a role so far
// out, and a line of a million commas then costs no memory. The row's width
// still counts every cell.
inline constexpr std::uint32_t kStoredColumns = 16384;

struct ConvertedRows {
  PrimerList primers;
  TableLayout layout;
};

// Adds the primers of one row as a layout reads it.
class RowConverter {
 public:
  explicit RowConverter(const TableLayout& layout);
  void add(const RowTable::RowView& row, PrimerList& primers);

 private:
  void addPrimer(const RowTable::RowView& row, PrimerList& primers);
  void addPair(const RowTable::RowView& row, PrimerList& primers);
  // A sequence cell cleaned: the cell itself when it is clean already.
  std::string_view cleaned(std::string_view cell);

  std::optional<std::uint32_t> selected_, name_, sequence_, comment_;
  std::optional<std::uint32_t> forwardName_, forwardSequence_, reverseName_, reverseSequence_;
  bool pairs_;
  std::string cleaned_;
};

// `headerTest` is the plain layout's, used when no header row names a
// sequence column.
Expected<ConvertedRows, ReaderError> convertRows(const RowTable& rows, const HeaderTest& headerTest = {});

// The primers alone, for a reader's table of cells.
Expected<PrimerList, ReaderError> primersFromRows(const RowTable& rows, const HeaderTest& headerTest = {});

}  // namespace tamsel
