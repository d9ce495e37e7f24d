#pragma once

// Which worksheet of a workbook (.xls, .xlsx, .ods) an import reads. By
// default the first worksheet whose table has a sequence column; when none
// has, the first worksheet. A user may name one by its name or its number
// (from 1, in workbook order).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/Expected.h"
#include "model/ReaderError.h"
#include "model/RowTable.h"

namespace tamsel {

struct SheetChoice {
  enum class Kind { firstWithSequences, number, name };
  // The test of Kind::firstWithSequences: whether a sheet's table has a
  // sequence column. Without one, the first worksheet is read.
  using SequenceTest = bool (*)(const RowTable& rows);

  Kind kind = Kind::firstWithSequences;
  std::size_t number = 0;  // from 1, for Kind::number
  std::string name;        // for Kind::name
  SequenceTest hasSequenceColumn = nullptr;

  static SheetChoice firstWithSequences(SequenceTest test) { return {Kind::firstWithSequences, 0, {}, test}; }
  static SheetChoice byNumber(std::size_t number) { return {Kind::number, number, {}, nullptr}; }
  static SheetChoice byName(std::string name) { return {Kind::name, 0, std::move(name), nullptr}; }
};

// The cells of the sheet an import reads, with the names of all worksheets
// (for a sheet chooser) and the position of the one read among them.
struct WorkbookSheet {
  RowTable rows;
  std::vector<std::string> sheetNames;
  std::size_t sheetIndex = 0;
  bool streamed = false;  // the rows went to the reader's stream instead
};

// Follows a choice while a reader goes through its worksheets in workbook
// order: it says which sheets to read, takes their rows, and keeps the one
// chosen. Readers that know every name first pass them all to `wants` in
// turn; a streaming reader passes each as it meets it.
class SheetPicker {
 public:
  explicit SheetPicker(SheetChoice choice) : choice_(std::move(choice)) {}

  // Notes the worksheet `name` (the next in order) and tells whether its rows
  // are to be read and offered.
  bool wants(const std::string& name);
  // The rows of the worksheet last passed to `wants`.
  void offer(RowTable rows);
  // True once no later worksheet needs to be read, only named.
  bool decided() const { return chosen_.has_value(); }

  // The sheet chosen; an error (with the reader's domain) when the user asked
  // for a sheet the workbook does not have. A workbook without worksheets
  // gives an empty table.
  Expected<WorkbookSheet, ReaderError> finish(const std::string& domain);

 private:
  SheetChoice choice_;
  std::vector<std::string> names_;
  std::optional<std::size_t> chosen_;
  RowTable chosenRows_;
  RowTable firstRows_;  // the fallback when no sheet has sequences
};

}  // namespace tamsel
