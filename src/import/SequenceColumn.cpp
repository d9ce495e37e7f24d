#include "import/SequenceColumn.h"

#include "import/ColumnContents.h"
#include "import/ColumnMapper.h"
#include "import/HeaderWords.h"
#include "model/Unicode.h"

namespace tamsel {

bool hasSequenceColumn(const RowTable& rows) {
  const auto layout = mapColumns(rows, {});
  // Two columns a header names as sequences, both holding them: primers,
  // though the import will ask which to read.
  if (!layout) return layout.error().code == static_cast<int>(ImportError::Code::unclearColumns);
  if (layout->reading != TableLayout::Reading::plain) return true;
  // The plain layout stands for any table; its sequence column counts when
  // its header names a sequence or most rows hold sequences there.
  const std::optional<std::uint32_t> column = layout->columnWith(ColumnRole::sequence);
  if (!column) return false;
  const std::size_t firstDataRow = layout->headerRow ? *layout->headerRow + 1 : 0;
  if (layout->headerRow) {
    const std::string_view header = unicode::trimWhiteSpace(rows.row(*layout->headerRow).cell(*column));
    if (!header.empty() && headerMeaning(header).kind == HeaderMeaning::Kind::sequence) return true;
  }
  const TableContents contents = tableContents(rows, firstDataRow);
  return contents.column(*column).sequencesInMostOf(contents.rows);
}

}  // namespace tamsel
