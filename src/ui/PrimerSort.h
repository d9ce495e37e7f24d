#pragma once

// The orders a click on a column header gives: a stable sort of the whole
// list by that column (so rows that tie keep their order), or, for "#", the
// order of the import.

#include <Qt>

#include <cstdint>
#include <vector>

#include "model/PrimerList.h"

namespace tamsel {

// Row i of the sorted list is row order[i] of `primers`. `origins` holds
// each row's place in the import order. Texts compare ignoring case.
std::vector<int> sortedOrder(const PrimerList& primers, const std::vector<std::uint64_t>& origins, int column,
                             Qt::SortOrder order);

}  // namespace tamsel
