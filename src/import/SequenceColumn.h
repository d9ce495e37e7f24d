#pragma once

// Whether a table holds primers: the test by which a workbook's first sheet
// of primers is found among its worksheets.

#include "model/RowTable.h"

namespace tamsel {

// True when a column of the table holds primer sequences by its header (a
// header row names a sequence role over a plausible sequence) or by its
// contents (plausible sequences in most rows), as the row-to-primer step
// finds its columns.
bool hasSequenceColumn(const RowTable& rows);

}  // namespace tamsel
