#pragma once

// The kinds of file the import dialog offers, one per format the format table
// reads, in the table's open-dialog order (comma-separated values,
// tab-separated values, plain text, .xls, .xlsx, .nsub), after one entry that
// accepts them all.

#include <QStringList>

namespace tamsel {

QStringList importNameFilters();

}  // namespace tamsel
