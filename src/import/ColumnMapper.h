#pragma once

// Chooses how a table is read: the header row and each column's role, or the
// plain positional layout, or the sequence column found by its cells.

#include "import/ConvertRows.h"

namespace tamsel {

Expected<TableLayout, ReaderError> mapColumns(const RowTable& rows, const HeaderTest& headerTest);

}  // namespace tamsel
