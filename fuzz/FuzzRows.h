#pragma once

// Helpers shared by the fuzz targets: touch every byte a reader handed back,
// so that a result pointing outside its arena is caught by the sanitizers.

#include <cstddef>

#include "model/Alphabet.h"
#include "model/PrimerList.h"
#include "model/RowTable.h"

namespace tamsel::fuzz {

inline std::size_t visitRows(const RowTable& rows) {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto row = rows.row(i);
    for (const auto& cell : row.cells()) bytes += row.text(cell).size();
    bytes += row.cell(row.width() == 0 ? 0 : row.width() - 1).size();
  }
  return bytes;
}

// Runs the checks an import applies after reading, as the window would.
inline std::size_t visitPrimers(const PrimerList& primers) {
  std::size_t bytes = 0;
  for (const PrimerView& primer : primers) {
    bytes += primer.name.size() + primer.sequence.size() + primer.comment.size();
  }
  if (auto problem = validatePrimers(primers)) bytes += problem->size();
  return bytes;
}

}  // namespace tamsel::fuzz
