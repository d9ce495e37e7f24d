#pragma once

// The kinds of file the import dialog offers: comma-separated values,
// tab-separated values, plain text, .xls, .xlsx and .nsub, in that order,
// after one entry that accepts them all.

#include <QStringList>

namespace tamsel {

QStringList importNameFilters();

}  // namespace tamsel
