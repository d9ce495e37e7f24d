#include "model/ImportError.h"

#include "model/ColumnTitles.h"

namespace tamsel {
namespace {

ReaderError importError(ImportError::Code code, std::string message) {
  return {"ImportError", static_cast<int>(code), std::move(message)};
}

std::string columnTitleList() {
  std::string list;
  for (std::string_view title : kColumnTitles) list.append(list.empty() ? "" : ", ").append(title);
  return list;
}

}  // namespace

ReaderError ImportError::tooManyColumns(int columns) {
  return importError(Code::tooManyColumns, "The file has " + std::to_string(columns) +
                                               " columns, which is more than the maximum of " +
                                               std::to_string(kMaxColumns) + " (" + columnTitleList() +
                                               "). This does not appear to be a valid primer file.");
}

ReaderError ImportError::noValidSequence() {
  return importError(Code::noValidSequence,
                     "No valid DNA sequence of at least 5 characters was found. This does not appear to be a "
                     "valid primer file.");
}

ReaderError ImportError::unclearColumns(std::string reason) {
  return importError(Code::unclearColumns, std::move(reason));
}

}  // namespace tamsel
