#pragma once

// Turns the row table of a spreadsheet reader into primers: column limit,
// header recognition, column layout, clean-up and skipping of empty rows.

#include <cstddef>
#include <string>
#include <string_view>

#include "model/Expected.h"
#include "model/ImportError.h"
#include "model/PrimerEntry.h"
#include "model/RowTable.h"

namespace tamsel {

Expected<PrimerList, ImportError> primersFromRows(const RowTable& rows);

// The conversion of the data rows alone, for readers that recognise the header
// their own way: rows from `firstDataRow` on, with or without a selected column.
PrimerList primersFromDataRows(const RowTable& rows, std::size_t firstDataRow, bool hasSelectedColumn);

// A header cell as it is compared: lower-cased, then trimmed of white space.
std::string normalizedHeaderCell(std::string_view cell);

}  // namespace tamsel
