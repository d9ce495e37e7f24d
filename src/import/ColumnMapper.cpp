#include "import/ColumnMapper.h"

#include <algorithm>
#include <map>
#include <set>

#include "import/ColumnContents.h"
#include "import/HeaderWords.h"
#include "model/Alphabet.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

using Kind = HeaderMeaning::Kind;
using Orientation = HeaderMeaning::Orientation;
using Roles = std::map<std::uint32_t, ColumnRole>;

// The plain layout's limit: [Selected,] Name, Sequence, Comment.
constexpr std::uint32_t kPlainMaxColumns = 4;

// A column that could take a role; `contents` points into the table's
// contents, which outlive it.
struct Candidate {
  std::uint32_t column;
  std::size_t unknownWords;
  const ColumnContents* contents;
};

// An exact header word before a longer phrase, then a column that is not
// mostly numbers, then the column whose cells are plausible sequences most
// often, then the leftmost.
bool better(const Candidate& a, const Candidate& b) {
  if (a.unknownWords != b.unknownWords) return a.unknownWords < b.unknownWords;
  // Of "fwd_id" (numbers) and "fwd_name" (text), the text names the primer.
  const bool aNumbers = a.contents->numbers * 2 > a.contents->filled;
  const bool bNumbers = b.contents->numbers * 2 > b.contents->filled;
  if (aNumbers != bNumbers) return bNumbers;
  if (a.contents->sequences != b.contents->sequences) return a.contents->sequences > b.contents->sequences;
  return a.column < b.column;
}

std::optional<Candidate> best(const std::vector<Candidate>& candidates) {
  if (candidates.empty()) return std::nullopt;
  return *std::min_element(candidates.begin(), candidates.end(), better);
}

struct Candidates {
  std::vector<Candidate> sequence, forwardSequence, reverseSequence;
  std::vector<Candidate> name, forwardName, reverseName;
  std::vector<Candidate> purpose, comment, selected;

  bool anySequence() const { return !sequence.empty() || !forwardSequence.empty() || !reverseSequence.empty(); }
  // Some sequence column holds plausible sequences in most of its cells.
  bool confirmedByCells() const {
    for (const auto* list : {&sequence, &forwardSequence, &reverseSequence}) {
      for (const Candidate& candidate : *list) {
        if (candidate.contents->mostlySequences()) return true;
      }
    }
    return false;
  }
};

Candidates candidatesOf(const RowTable::RowView& header, const TableContents& contents) {
  Candidates found;
  for (const RowTable::Cell& cell : header.cells()) {
    std::string_view text = unicode::trimWhiteSpace(header.text(cell));
    if (text.empty()) continue;
    const HeaderMeaning meaning = headerMeaning(text);
    const ColumnContents& cells = contents.column(cell.column);
    Kind kind = meaning.kind;
    if (kind == Kind::nameOrSequence) kind = cells.mostlySequences() ? Kind::sequence : Kind::name;
    const Candidate candidate{cell.column, meaning.unknownWords, &cells};
    const bool forward = meaning.orientation == Orientation::forward;
    const bool reverse = meaning.orientation == Orientation::reverse;
    switch (kind) {
      case Kind::sequence:
        (forward ? found.forwardSequence : reverse ? found.reverseSequence : found.sequence).push_back(candidate);
        break;
      case Kind::name:
        (forward ? found.forwardName : reverse ? found.reverseName : found.name).push_back(candidate);
        break;
      case Kind::purpose: found.purpose.push_back(candidate); break;
      case Kind::comment: found.comment.push_back(candidate); break;
      case Kind::selected: found.selected.push_back(candidate); break;
      case Kind::nameOrSequence:
      case Kind::none: break;
    }
  }
  return found;
}

std::string columnAndHeader(std::uint32_t column, const RowTable::RowView& header) {
  return columnLetter(column) + " (\"" + std::string(unicode::trimWhiteSpace(header.cell(column))) + "\")";
}

// Two columns that name the same sequence role equally well and both hold
// sequences: reading either would silently drop the other's primers.
std::optional<ReaderError> unclearSequenceColumns(std::vector<Candidate> candidates, std::size_t headerRow,
                                                  const RowTable::RowView& header) {
  if (candidates.size() < 2) return std::nullopt;
  std::sort(candidates.begin(), candidates.end(), better);
  const Candidate& first = candidates[0];
  const Candidate& second = candidates[1];
  if (first.unknownWords != second.unknownWords || !first.contents->mostlySequences() ||
      !second.contents->mostlySequences()) {
    return std::nullopt;
  }
  const std::uint32_t left = std::min(first.column, second.column), right = std::max(first.column, second.column);
  return ImportError::unclearColumns("Columns " + columnAndHeader(left, header) + " and " +
                                     columnAndHeader(right, header) + " under the header in row " +
                                     std::to_string(headerRow + 1) +
                                     " both hold primer sequences, so it is not clear which one to read. Keep one "
                                     "sequence column, or head the two columns of a primer pair \"Forward\" and "
                                     "\"Reverse\".");
}

void assign(Roles& roles, const std::optional<Candidate>& candidate, ColumnRole role) {
  if (candidate) roles[candidate->column] = role;
}

std::vector<Candidate> joined(std::vector<Candidate> a, const std::vector<Candidate>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Expected<Roles, ReaderError> rolesFromHeader(const Candidates& found, std::size_t headerRow,
                                             const RowTable::RowView& header) {
  Roles roles;
  std::optional<Candidate> name;
  if (!found.forwardSequence.empty() && !found.reverseSequence.empty()) {
    for (const auto* list : {&found.forwardSequence, &found.reverseSequence}) {
      if (auto unclear = unclearSequenceColumns(*list, headerRow, header)) return unexpected(std::move(*unclear));
    }
    assign(roles, best(found.forwardSequence), ColumnRole::forwardSequence);
    assign(roles, best(found.reverseSequence), ColumnRole::reverseSequence);
    assign(roles, best(found.forwardName), ColumnRole::forwardName);
    assign(roles, best(found.reverseName), ColumnRole::reverseName);
    name = best(found.name);
  } else {
    // One sequence column; a lone "Forward" column is one too.
    const std::vector<Candidate> sequences =
        !found.sequence.empty() ? found.sequence : joined(found.forwardSequence, found.reverseSequence);
    if (auto unclear = unclearSequenceColumns(sequences, headerRow, header)) return unexpected(std::move(*unclear));
    assign(roles, best(sequences), ColumnRole::sequence);
    name = best(joined(joined(found.name, found.forwardName), found.reverseName));
  }
  // "Gene", "Target" and the like name the primers only when no column does.
  const bool purposeNames = !name && !found.purpose.empty();
  assign(roles, purposeNames ? best(found.purpose) : name, ColumnRole::name);
  std::optional<Candidate> comment = best(found.comment);
  if (!comment && !purposeNames) comment = best(found.purpose);
  assign(roles, comment, ColumnRole::comment);
  assign(roles, best(found.selected), ColumnRole::selected);
  return roles;
}

bool isSequenceRole(ColumnRole role) {
  return role == ColumnRole::sequence || role == ColumnRole::forwardSequence || role == ColumnRole::reverseSequence;
}

// The header's sequence column holds no sequence at all while another column
// holds them in most rows: the header and the cells disagree, and reading
// either way could put names or sequences in the wrong place.
std::optional<ReaderError> contradictedByCells(const Roles& roles, const TableContents& contents, std::size_t headerRow,
                                               const RowTable::RowView& header) {
  for (const auto& [column, role] : roles) {
    if (!isSequenceRole(role) || contents.column(column).sequences > 0) continue;
    for (std::uint32_t other = 0; other < contents.columns.size(); ++other) {
      auto found = roles.find(other);
      if (found != roles.end() && isSequenceRole(found->second)) continue;
      if (!contents.columns[other].sequencesInMostOf(contents.rows)) continue;
      return ImportError::unclearColumns(
          "The column headed as the sequence, " + columnAndHeader(column, header) + " under the header in row " +
          std::to_string(headerRow + 1) + ", holds no DNA sequence, but column " + columnLetter(other) +
          " does, so it is not clear which one to read. Head the column of sequences \"Sequence\".");
    }
  }
  return std::nullopt;
}

// The first row (of the first few that are not blank) in which some cell
// names a sequence role and no cell looks like a plausible sequence. A row
// whose sequence column holds sequences is preferred to an earlier one whose
// column does not (a title such as "Primer sequences" above the real header),
// except a first row with a cell that is exactly "Sequence": a later row of
// strand letters (a primer whose sequence is "R") never displaces it.
std::optional<std::size_t> findHeaderRow(const RowTable& rows) {
  std::optional<std::size_t> firstQualifying;
  std::size_t looked = 0;
  for (std::size_t r = 0; r < rows.size() && looked < kHeaderSearchRows; ++r) {
    const RowTable::RowView row = rows.row(r);
    if (isBlankRow(row)) continue;
    ++looked;
    bool namesSequence = false, namesStrand = false, holdsSequence = false, sequenceTitle = false;
    for (const RowTable::Cell& cell : row.cells()) {
      std::string_view text = unicode::trimWhiteSpace(row.text(cell));
      if (text.empty()) continue;
      const HeaderMeaning meaning = headerMeaning(text);
      if (!meaning.onlyKnownWords && isPlausibleSequence(text)) {
        holdsSequence = true;
        break;
      }
      const bool sequenceRole = meaning.kind == Kind::sequence || meaning.kind == Kind::nameOrSequence;
      namesSequence = namesSequence || (sequenceRole && !meaning.onlyStrandWords);
      namesStrand = namesStrand || meaning.onlyStrandWords;
      sequenceTitle = sequenceTitle || isHeaderCellOf(text, kSequenceTitle);
    }
    if (holdsSequence || (!namesSequence && !namesStrand)) continue;
    const TableContents below = tableContents(rows, r + 1);
    const Candidates found = candidatesOf(row, below);
    if (!found.anySequence()) continue;  // "Primer" over names
    if (found.confirmedByCells() || (looked == 1 && sequenceTitle)) return r;
    // "F" and "R" alone make a header only over sequences: a row of letters
    // and codes may hold them too.
    if (!namesSequence) continue;
    if (!firstQualifying) firstQualifying = r;
  }
  return firstQualifying;
}

Roles plainRoles(bool selectedColumn) {
  const std::uint32_t offset = selectedColumn ? 1 : 0;
  Roles roles{{offset, ColumnRole::name}, {offset + 1, ColumnRole::sequence}, {offset + 2, ColumnRole::comment}};
  if (selectedColumn) roles[0] = ColumnRole::selected;
  return roles;
}

ColumnRole roleOf(const Roles& roles, std::uint32_t column) {
  auto found = roles.find(column);
  return found == roles.end() ? ColumnRole::ignored : found->second;
}

// The header's roles say nothing the plain layout does not: the same sequence
// column, and every other role where the plain layout has it.
bool agreesWithPlain(const Roles& header, const Roles& plain) {
  for (const auto& [column, role] : header) {
    if (roleOf(plain, column) != role) return false;
  }
  for (const auto& [column, role] : plain) {
    if (role == ColumnRole::sequence && roleOf(header, column) != role) return false;
  }
  return true;
}

TableLayout layoutOf(const RowTable& rows, TableLayout::Reading reading, std::optional<std::size_t> headerRow,
                     const Roles& roles, std::uint32_t width) {
  TableLayout layout;
  layout.reading = reading;
  layout.headerRow = headerRow;
  if (headerRow) {
    for (std::size_t r = 0; r < *headerRow; ++r) {
      if (!isBlankRow(rows.row(r))) layout.skippedRows.push_back(r);
    }
  }
  // The columns that hold something: a header cell, a cell of the first rows
  // or a role. Found from the cells, so a damaged file's far-off column costs
  // nothing.
  std::set<std::uint32_t> columns;
  for (const auto& [column, role] : roles) {
    if (column < width) columns.insert(column);
  }
  if (headerRow) {
    const RowTable::RowView header = rows.row(*headerRow);
    for (const RowTable::Cell& cell : header.cells()) {
      if (!unicode::trimWhiteSpace(header.text(cell)).empty()) columns.insert(cell.column);
    }
  }
  const TableContents contents = tableContents(rows, headerRow ? *headerRow + 1 : 0);
  for (std::uint32_t column = 0; column < contents.columns.size(); ++column) {
    if (contents.columns[column].filled > 0) columns.insert(column);
  }
  for (std::uint32_t column : columns) {
    std::string_view header = headerRow ? unicode::trimWhiteSpace(rows.row(*headerRow).cell(column)) : "";
    layout.columns.push_back({column, std::string(header), roleOf(roles, column)});
  }
  return layout;
}

std::optional<std::uint32_t> nearestTextColumn(const TableContents& contents, std::uint32_t from, int step) {
  for (std::int64_t column = std::int64_t(from) + step; column >= 0 && column < std::int64_t(contents.columns.size());
       column += step) {
    if (contents.columns[static_cast<std::size_t>(column)].isText()) return static_cast<std::uint32_t>(column);
  }
  return std::nullopt;
}

// No header: the one column (or pair of columns) with plausible sequences in
// most rows, the nearest text column to its left as the name and the next
// text column after it as the comment.
std::optional<Roles> rolesFromCells(const TableContents& contents) {
  std::vector<std::uint32_t> sequenceColumns;
  for (std::uint32_t column = 0; column < contents.columns.size(); ++column) {
    if (contents.columns[column].sequencesInMostOf(contents.rows)) sequenceColumns.push_back(column);
    if (sequenceColumns.size() > 2) return std::nullopt;
  }
  if (sequenceColumns.empty()) return std::nullopt;
  Roles roles;
  if (sequenceColumns.size() == 1) {
    roles[sequenceColumns[0]] = ColumnRole::sequence;
  } else {
    roles[sequenceColumns[0]] = ColumnRole::forwardSequence;
    roles[sequenceColumns[1]] = ColumnRole::reverseSequence;
  }
  if (auto name = nearestTextColumn(contents, sequenceColumns.front(), -1)) roles[*name] = ColumnRole::name;
  if (auto comment = nearestTextColumn(contents, sequenceColumns.back(), 1)) roles[*comment] = ColumnRole::comment;
  return roles;
}

ReaderError tooManyColumns(std::uint32_t width) {
  // A damaged file may name a huge column; the count still fits the message.
  return ImportError::tooManyColumns(static_cast<int>(std::min<std::uint32_t>(width, INT32_MAX)));
}

}  // namespace

Expected<TableLayout, ReaderError> mapColumns(const RowTable& rows, const HeaderTest& headerTest) {
  if (rows.empty()) return TableLayout{};
  const std::uint32_t width = rows.maxWidth();
  // Columns beyond those stored are not listed.
  const std::uint32_t listedWidth = std::min(width, kStoredColumns);
  const bool plainHeader = isPlainHeaderRow(rows.row(0), headerTest);
  const bool plainSelected = plainHeader && isHeaderCellOf(rows.row(0).cell(0), kSelectedTitle);

  if (std::optional<std::size_t> headerRow = findHeaderRow(rows)) {
    const RowTable::RowView header = rows.row(*headerRow);
    const TableContents below = tableContents(rows, *headerRow + 1);
    auto roles = rolesFromHeader(candidatesOf(header, below), *headerRow, header);
    if (!roles) return unexpected(roles.error());
    if (auto contradiction = contradictedByCells(*roles, below, *headerRow, header)) {
      return unexpected(std::move(*contradiction));
    }
    // A table the plain layout reads as its header says stays as it was read.
    const Roles plain = plainRoles(plainSelected);
    if (*headerRow == 0 && plainHeader && width <= kPlainMaxColumns && agreesWithPlain(*roles, plain)) {
      return layoutOf(rows, TableLayout::Reading::plain, 0, plain, listedWidth);
    }
    return layoutOf(rows, TableLayout::Reading::header, headerRow, *roles, listedWidth);
  }

  if (plainHeader) {
    if (width > kPlainMaxColumns) return unexpected(tooManyColumns(width));
    return layoutOf(rows, TableLayout::Reading::plain, 0, plainRoles(plainSelected), listedWidth);
  }
  const TableContents contents = tableContents(rows, 0);
  std::optional<Roles> byCells = rolesFromCells(contents);
  // A pair of sequence columns is a pair even where the plain layout would
  // put the reverse primer in the comment.
  const bool pairByCells = byCells && std::any_of(byCells->begin(), byCells->end(), [](const auto& entry) {
                             return entry.second == ColumnRole::reverseSequence;
                           });
  if (!pairByCells && width <= kPlainMaxColumns && contents.column(1).sequencesInMostOf(contents.rows)) {
    return layoutOf(rows, TableLayout::Reading::plain, std::nullopt, plainRoles(false), listedWidth);
  }
  if (std::optional<Roles>& roles = byCells) {
    return layoutOf(rows, TableLayout::Reading::content, std::nullopt, *roles, listedWidth);
  }
  if (width > kPlainMaxColumns) return unexpected(tooManyColumns(width));
  return layoutOf(rows, TableLayout::Reading::plain, std::nullopt, plainRoles(false), listedWidth);
}

}  // namespace tamsel
