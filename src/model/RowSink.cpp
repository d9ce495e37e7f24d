#include "model/RowSink.h"

#include "model/RowTable.h"

namespace tamsel {

void addRowTo(RowSink& sink, const RowTable::RowView& row) {
  sink.addRow();
  for (const RowTable::Cell& cell : row.cells()) sink.setCell(cell.column, row.text(cell));
  sink.setLastRowWidth(row.width());
}

void RowSink::addRows(const RowTable& rows) {
  for (std::size_t r = 0; r < rows.size(); ++r) addRowTo(*this, rows.row(r));
}

}  // namespace tamsel
