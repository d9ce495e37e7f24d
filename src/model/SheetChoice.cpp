#include "model/SheetChoice.h"

#include "model/Alphabet.h"
#include "model/PrimersFromRows.h"

namespace tamsel {
namespace {

std::string listOf(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "\"" : ", \"") + name + "\"";
  return list;
}

}  // namespace

// A sheet has a sequence column when a cell of its first row is the header
// word "sequence", or when at least half of a column's filled cells are
// plausible sequences: white space aside, at least 5 letters, all of the
// alphabet.
bool hasSequenceColumn(const RowTable& rows) {
  if (rows.empty()) return false;
  const RowTable::RowView first = rows.row(0);
  for (const RowTable::Cell& cell : first.cells()) {
    if (normalizedHeaderCell(first.text(cell)) == "sequence") return true;
  }
  std::vector<std::size_t> filled, plausible;
  std::string compact;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RowTable::RowView row = rows.row(i);
    for (const RowTable::Cell& cell : row.cells()) {
      compact.clear();
      for (char c : row.text(cell)) {
        if (c != ' ' && c != '\t') compact.push_back(c);
      }
      if (compact.empty()) continue;
      if (filled.size() <= cell.column) filled.resize(cell.column + 1), plausible.resize(cell.column + 1);
      ++filled[cell.column];
      if (compact.size() >= 5 && !containsInvalidCharacters(compact)) ++plausible[cell.column];
    }
  }
  for (std::size_t column = 0; column < filled.size(); ++column) {
    if (plausible[column] > 0 && plausible[column] * 2 >= filled[column]) return true;
  }
  return false;
}

bool SheetPicker::wants(const std::string& name) {
  names_.push_back(name);
  if (chosen_) return false;
  const std::size_t number = names_.size();
  switch (choice_.kind) {
    case SheetChoice::Kind::firstWithSequences:
      return true;
    case SheetChoice::Kind::number:
      return number == choice_.number;
    case SheetChoice::Kind::name:
      return name == choice_.name;
  }
  return false;
}

void SheetPicker::offer(RowTable rows) {
  const std::size_t index = names_.size() - 1;
  if (choice_.kind != SheetChoice::Kind::firstWithSequences || hasSequenceColumn(rows)) {
    chosen_ = index;
    chosenRows_ = std::move(rows);
  } else if (index == 0) {
    firstRows_ = std::move(rows);
  }
}

Expected<WorkbookSheet, ReaderError> SheetPicker::finish(const std::string& domain) {
  WorkbookSheet sheet;
  sheet.sheetNames = std::move(names_);
  if (chosen_) {
    sheet.rows = std::move(chosenRows_);
    sheet.sheetIndex = *chosen_;
    return sheet;
  }
  if (choice_.kind == SheetChoice::Kind::firstWithSequences) {
    sheet.rows = std::move(firstRows_);
    return sheet;
  }
  const std::string wanted = choice_.kind == SheetChoice::Kind::number
                                 ? "no sheet number " + std::to_string(choice_.number)
                                 : "no sheet named \"" + choice_.name + "\"";
  const std::string has =
      sheet.sheetNames.empty() ? "it has no worksheet." : "its worksheets are " + listOf(sheet.sheetNames) + ".";
  return unexpected(ReaderError{domain, 3, "The workbook has " + wanted + "; " + has});
}

}  // namespace tamsel
