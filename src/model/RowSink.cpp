#include "model/RowSink.h"

#include "model/RowTable.h"

namespace tamsel {

void RowSink::addRows(const RowTable& rows) {
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const RowTable::RowView row = rows.row(r);
    addRow();
    for (const RowTable::Cell& cell : row.cells()) setCell(cell.column, row.text(cell));
    setLastRowWidth(row.width());
  }
}

}  // namespace tamsel
