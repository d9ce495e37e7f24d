#include "import/SequenceColumn.h"

#include "import/ColumnContents.h"
#include "import/ColumnMapper.h"

namespace tamsel {

bool hasSequenceColumn(const RowTable& rows) {
  const auto layout = mapColumns(rows, {});
  // Two columns a header names as sequences, both holding them: primers,
  // though the import will ask which to read.
  if (!layout) return layout.error().code == static_cast<int>(ImportError::Code::unclearColumns);
  // A column the header names counts once it holds a plausible sequence (a
  // header over percentages or an empty template is no primer list); one
  // found without a header, when most rows hold sequences there.
  const TableContents contents = tableContents(rows, layout->headerRow ? *layout->headerRow + 1 : 0);
  for (const TableLayout::Column& column : layout->columns) {
    if (column.role != ColumnRole::sequence && column.role != ColumnRole::forwardSequence &&
        column.role != ColumnRole::reverseSequence) {
      continue;
    }
    const ColumnContents& cells = contents.column(column.index);
    if (layout->headerRow ? cells.sequences > 0 : cells.sequencesInMostOf(contents.rows)) return true;
  }
  return false;
}

}  // namespace tamsel
