#pragma once

// Turns the row table of a spreadsheet reader into primers: column limit,
// header recognition, column layout, clean-up and skipping of empty rows.

#include "model/Expected.h"
#include "model/ImportError.h"
#include "model/PrimerEntry.h"
#include "model/RowTable.h"

namespace tamsel {

Expected<PrimerList, ImportError> primersFromRows(const RowTable& rows);

}  // namespace tamsel
