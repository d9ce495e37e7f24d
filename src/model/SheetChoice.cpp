#include "model/SheetChoice.h"

namespace tamsel {
namespace {

std::string listOf(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "\"" : ", \"") + name + "\"";
  return list;
}

}  // namespace

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
  const bool firstWithSequences = choice_.kind == SheetChoice::Kind::firstWithSequences;
  if (!firstWithSequences || !choice_.hasSequenceColumn || choice_.hasSequenceColumn(rows)) {
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
