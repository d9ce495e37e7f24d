#pragma once

// Chooses how a table is read: the header row and each column's role, or the
// plain positional layout, or the sequence column found by its cells.

#include "import/ColumnContents.h"
#include "import/ConvertRows.h"

namespace tamsel {

// A header row is looked for among this many rows that are not blank.
inline constexpr std::size_t kHeaderSearchRows = 20;

// The layout of a table depends on no more than its first rows, this many
// of them not blank, and its width.
inline constexpr std::size_t kLayoutRows = kHeaderSearchRows + kSampledRows + 1;

Expected<TableLayout, ReaderError> mapColumns(const RowTable& rows, const HeaderTest& headerTest);

}  // namespace tamsel
