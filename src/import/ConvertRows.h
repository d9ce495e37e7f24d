#pragma once

// The row-to-primer step of every reader with cells: finds the header row,
// gives each column a role from its header words or its cells, reads pair
// rows as two primers, and says how it read the table.

#include <cstdint>
#include <optional>
#include <string_view>

#include "import/TableLayout.h"
#include "model/Expected.h"
#include "model/ImportError.h"
#include "model/PrimerEntry.h"
#include "model/RowTable.h"

namespace tamsel {

struct RowConversion {
  // Text files: the first record as written. When no header row is found by
  // its words, the first row is a header when this holds "name", "sequence"
  // or "selected" anywhere (inside longer words too); without it, only when
  // one of its cells is exactly such a word.
  std::optional<std::string_view> looseHeaderRecord;
  // The table's width when the reader counted more columns than it stored.
  std::optional<std::uint32_t> columnCount;
};

struct ConvertedRows {
  PrimerList primers;
  TableLayout layout;
};

Expected<ConvertedRows, ReaderError> convertRows(const RowTable& rows, const RowConversion& conversion = {});

}  // namespace tamsel
