#include "model/PrimersFromRows.h"

#include <algorithm>

#include "model/Alphabet.h"
#include "model/ImportError.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

// The header words, lower-cased: every column title but the comment's.
const std::array<std::string, kMaxColumns - 1>& headerWords() {
  static const std::array<std::string, kMaxColumns - 1> kWords = [] {
    std::array<std::string, kMaxColumns - 1> words;
    for (std::size_t i = 0; i < words.size(); ++i) words[i] = unicode::toLower(kColumnTitles[i]);
    return words;
  }();
  return kWords;
}


}  // namespace

// Lower-casing neither makes nor unmakes white space, so trimming first gives
// the same text with less to map.
std::string normalizedHeaderCell(std::string_view cell) { return unicode::toLower(unicode::trimWhiteSpace(cell)); }

bool isHeaderCellOf(std::string_view cell, std::string_view title) {
  return normalizedHeaderCell(cell) == unicode::toLower(title);
}

namespace {

bool isHeaderRow(const RowTable::RowView& first, const HeaderTest& test) {
  const auto& words = headerWords();
  if (test.firstRecordText) {
    const std::string lowered = unicode::toLower(*test.firstRecordText);
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& word) { return lowered.find(word) != std::string::npos; });
  }
  return std::any_of(first.cells().begin(), first.cells().end(), [&](const RowTable::Cell& cell) {
    return std::find(words.begin(), words.end(), normalizedHeaderCell(first.text(cell))) != words.end();
  });
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

}  // namespace

Expected<PrimerList, ReaderError> primersFromRows(const RowTable& rows, const HeaderTest& headerTest) {
  if (rows.empty()) return PrimerList{};
  const std::uint32_t columns = rows.maxWidth();
  if (columns > kMaxColumns) {
    // A damaged file may name a huge column; the count still fits the message.
    return unexpected(ImportError::tooManyColumns(static_cast<int>(std::min<std::uint32_t>(columns, INT32_MAX))));
  }
  RowTable::RowView first = rows.row(0);
  if (!isHeaderRow(first, headerTest)) return primersFromDataRows(rows, 0, false);
  const bool hasSelectedColumn = isHeaderCellOf(first.cell(0), kSelectedTitle);
  return primersFromDataRows(rows, 1, hasSelectedColumn);
}

}  // namespace tamsel
