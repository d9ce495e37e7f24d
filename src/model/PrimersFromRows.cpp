#include "model/PrimersFromRows.h"

#include <algorithm>
#include <cstdint>

#include "model/Alphabet.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

constexpr std::uint32_t kMaxColumns = 4;

bool isHeaderWord(std::string_view normalized) {
  return normalized == "name" || normalized == "sequence" || normalized == "selected";
}

}  // namespace

std::string normalizedHeaderCell(std::string_view cell) {
  // Lower-casing neither makes nor unmakes white space, so trimming first
  // gives the same text with less to map.
  return unicode::toLower(unicode::trimWhiteSpace(cell));
}

PrimerList primersFromDataRows(const RowTable& rows, std::size_t firstDataRow, bool hasSelectedColumn) {
  PrimerList primers;
  if (firstDataRow >= rows.size()) return primers;
  primers.reserve(rows.size() - firstDataRow);
  const std::uint32_t offset = hasSelectedColumn ? 1 : 0;
  for (std::size_t i = firstDataRow; i < rows.size(); ++i) {
    RowTable::RowView row = rows.row(i);
    std::string_view name = unicode::trimWhiteSpace(row.cell(offset));
    // White space never survives the clean-up, so the cell needs no trimming.
    std::string sequence = cleanSequence(row.cell(offset + 1));
    if (name.empty() && sequence.empty()) continue;
    bool selected = hasSelectedColumn && isSelectedCellText(row.cell(0));
    std::string_view comment = unicode::trimWhiteSpace(row.cell(offset + 2));
    primers.emplace_back(selected, std::string(name), std::move(sequence), std::string(comment));
  }
  return primers;
}

Expected<PrimerList, ImportError> primersFromRows(const RowTable& rows) {
  if (rows.empty()) return PrimerList{};
  const std::uint32_t columns = rows.maxWidth();
  if (columns > kMaxColumns) {
    // A damaged file may name a huge column; the count still fits the message.
    return unexpected(ImportError::tooManyColumns(static_cast<int>(std::min<std::uint32_t>(columns, INT32_MAX))));
  }
  RowTable::RowView first = rows.row(0);
  bool isHeader = false;
  for (const RowTable::Cell& cell : first.cells()) {
    if (isHeaderWord(normalizedHeaderCell(first.text(cell)))) {
      isHeader = true;
      break;
    }
  }
  if (!isHeader) return primersFromDataRows(rows, 0, false);
  return primersFromDataRows(rows, 1, normalizedHeaderCell(first.cell(0)) == "selected");
}

}  // namespace tamsel
