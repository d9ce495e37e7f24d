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

}  // namespace

RowConverter::RowConverter(const TableLayout& layout)
    : selected_(layout.columnWith(ColumnRole::selected)),
      name_(layout.columnWith(ColumnRole::name)),
      sequence_(layout.columnWith(ColumnRole::sequence)),
      comment_(layout.columnWith(ColumnRole::comment)),
      forwardName_(layout.columnWith(ColumnRole::forwardName)),
      forwardSequence_(layout.columnWith(ColumnRole::forwardSequence)),
      reverseName_(layout.columnWith(ColumnRole::reverseName)),
      reverseSequence_(layout.columnWith(ColumnRole::reverseSequence)),
      pairs_(layout.pairs()) {}

void RowConverter::add(const RowTable::RowView& row, PrimerList& primers) {
  if (pairs_) {
    addPair(row, primers);
  } else {
    addPrimer(row, primers);
  }
}

std::string_view RowConverter::cleaned(std::string_view cell) { return cleanedSequence(cell, cleaned_); }

// One primer per row: a row whose name and cleaned sequence are both empty
// is skipped.
void RowConverter::addPrimer(const RowTable::RowView& row, PrimerList& primers) {
  std::string_view name = trimmedCell(row, name_);
  // White space never survives the clean-up, so the cell needs no trimming.
  std::string_view sequence = sequence_ ? cleaned(row.cell(*sequence_)) : std::string_view();
  if (name.empty() && sequence.empty()) return;
  const bool selected = selected_ && isSelectedCellText(row.cell(*selected_));
  primers.emplace_back(selected, name, sequence, trimmedCell(row, comment_));
}

// Two primers per row, forward first; each is left out when it has neither a
// sequence nor a name of its own.
void RowConverter::addPair(const RowTable::RowView& row, PrimerList& primers) {
  const std::string_view rowName = trimmedCell(row, name_);
  const std::string_view comment = trimmedCell(row, comment_);
  const bool selected = selected_ && isSelectedCellText(row.cell(*selected_));
  const struct {
    std::optional<std::uint32_t> name, sequence;
    std::string_view suffix;
  } strands[] = {{forwardName_, forwardSequence_, "_F"}, {reverseName_, reverseSequence_, "_R"}};
  for (const auto& strand : strands) {
    std::string_view sequence = cleaned(row.cell(*strand.sequence));
    std::string_view ownName = trimmedCell(row, strand.name);
    if (sequence.empty() && ownName.empty()) continue;
    std::string name = !ownName.empty() ? std::string(ownName) : primerNameOf(rowName, strand.suffix);
    primers.emplace_back(selected, name, sequence, comment);
  }
}

Expected<ConvertedRows, ReaderError> convertRows(const RowTable& rows, const HeaderTest& headerTest) {
  auto layout = mapColumns(rows, headerTest);
  if (!layout) return unexpected(layout.error());
  ConvertedRows converted{{}, std::move(*layout)};
  // Texts the rows view in a reader's bytes are viewed there by the list too.
  if (rows.sourceOwner()) converted.primers.shareBlock(rows.sourceOwner());
  RowConverter converter(converted.layout);
  const std::size_t firstDataRow = converted.layout.headerRow ? *converted.layout.headerRow + 1 : 0;
  if (firstDataRow < rows.size()) {
    converted.primers.reserve((rows.size() - firstDataRow) * (converted.layout.pairs() ? 2 : 1), rows.textBytes());
  }
  for (std::size_t r = firstDataRow; r < rows.size(); ++r) converter.add(rows.row(r), converted.primers);
  return converted;
}

Expected<PrimerList, ReaderError> primersFromRows(const RowTable& rows, const HeaderTest& headerTest) {
  auto converted = convertRows(rows, headerTest);
  if (!converted) return unexpected(converted.error());
  return std::move(converted->primers);
}

}  // namespace tamsel
