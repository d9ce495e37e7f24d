#include "import/ConvertRows.h"

#include "import/ColumnMapper.h"
#include "model/Alphabet.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

std::string_view trimmedCell(const RowTable::RowView& row, std::optional<std::uint32_t> column) {
  return column ? unicode::trimWhiteSpace(row.cell(*column)) : std::string_view();
}

// True when `name` ends in "_F" or "_R", either case.
bool endsWithStrandSuffix(std::string_view name) {
  if (name.size() < 2 || name[name.size() - 2] != '_') return false;
  const char letter = name.back();
  return letter == 'F' || letter == 'f' || letter == 'R' || letter == 'r';
}

// A pair row's name for one of its primers: "GAPDH" gives "GAPDH_F" and
// "GAPDH_R"; a name that already ends in "_F" or "_R" has that suffix
// replaced, so "ACTB_F" gives "ACTB_F" and "ACTB_R".
std::string primerNameOf(std::string_view rowName, std::string_view suffix) {
  if (rowName.empty()) return {};
  if (endsWithStrandSuffix(rowName)) rowName.remove_suffix(2);
  return std::string(rowName) + std::string(suffix);
}

struct Columns {
  std::optional<std::uint32_t> selected, name, sequence, comment;
  std::optional<std::uint32_t> forwardName, forwardSequence, reverseName, reverseSequence;

  explicit Columns(const TableLayout& layout)
      : selected(layout.columnWith(ColumnRole::selected)),
        name(layout.columnWith(ColumnRole::name)),
        sequence(layout.columnWith(ColumnRole::sequence)),
        comment(layout.columnWith(ColumnRole::comment)),
        forwardName(layout.columnWith(ColumnRole::forwardName)),
        forwardSequence(layout.columnWith(ColumnRole::forwardSequence)),
        reverseName(layout.columnWith(ColumnRole::reverseName)),
        reverseSequence(layout.columnWith(ColumnRole::reverseSequence)) {}
};

// One primer per row: a row whose name and cleaned sequence are both empty
// is skipped.
void addPrimer(PrimerList& primers, const RowTable::RowView& row, const Columns& columns) {
  std::string_view name = trimmedCell(row, columns.name);
  // White space never survives the clean-up, so the cell needs no trimming.
  std::string sequence = columns.sequence ? cleanSequence(row.cell(*columns.sequence)) : std::string();
  if (name.empty() && sequence.empty()) return;
  const bool selected = columns.selected && isSelectedCellText(row.cell(*columns.selected));
  primers.emplace_back(selected, std::string(name), std::move(sequence),
                       std::string(trimmedCell(row, columns.comment)));
}

// Two primers per row, forward first; each is left out when it has neither a
// sequence nor a name of its own.
void addPair(PrimerList& primers, const RowTable::RowView& row, const Columns& columns) {
  const std::string_view rowName = trimmedCell(row, columns.name);
  const std::string_view comment = trimmedCell(row, columns.comment);
  const bool selected = columns.selected && isSelectedCellText(row.cell(*columns.selected));
  const struct {
    std::optional<std::uint32_t> name, sequence;
    std::string_view suffix;
  } strands[] = {{columns.forwardName, columns.forwardSequence, "_F"},
                 {columns.reverseName, columns.reverseSequence, "_R"}};
  for (const auto& strand : strands) {
    std::string sequence = cleanSequence(row.cell(*strand.sequence));
    std::string_view ownName = trimmedCell(row, strand.name);
    if (sequence.empty() && ownName.empty()) continue;
    std::string name = !ownName.empty() ? std::string(ownName) : primerNameOf(rowName, strand.suffix);
    primers.emplace_back(selected, std::move(name), std::move(sequence), std::string(comment));
  }
}

}  // namespace

Expected<ConvertedRows, ReaderError> convertRows(const RowTable& rows, const HeaderTest& headerTest) {
  auto layout = mapColumns(rows, headerTest);
  if (!layout) return unexpected(layout.error());
  ConvertedRows converted{{}, std::move(*layout)};
  const Columns columns(converted.layout);
  const bool pairs = converted.layout.pairs();
  const std::size_t firstDataRow = converted.layout.headerRow ? *converted.layout.headerRow + 1 : 0;
  if (firstDataRow < rows.size()) converted.primers.reserve((rows.size() - firstDataRow) * (pairs ? 2 : 1));
  for (std::size_t r = firstDataRow; r < rows.size(); ++r) {
    if (pairs) {
      addPair(converted.primers, rows.row(r), columns);
    } else {
      addPrimer(converted.primers, rows.row(r), columns);
    }
  }
  return converted;
}

Expected<PrimerList, ReaderError> primersFromRows(const RowTable& rows, const HeaderTest& headerTest) {
  auto converted = convertRows(rows, headerTest);
  if (!converted) return unexpected(converted.error());
  return std::move(converted->primers);
}

}  // namespace tamsel
