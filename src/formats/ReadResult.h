#pragma once

// The contract every reader meets: a pure function of a whole file's bytes
// that gives either what the file holds, or one ReaderError whose message a
// user sees after "Failed to read file: ". Formats with cells give the cells
// as they are (the import turns them into primers with primersFromRows);
// primer files give primers, with their list settings when the format stores
// them.

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "model/ByteSink.h"
#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/PrimerList.h"
#include "model/ColumnTitles.h"
#include "model/ReaderError.h"
#include "model/RowTable.h"
#include "model/SheetChoice.h"

namespace tamsel {

struct ReadOptions {
  // The file's extension, lower-cased and without the dot; the delimited text
  // reader takes its delimiter from it.
  std::string_view extension;
  // Cells from this column on are counted in their row's width but not
  // stored: an import needs no more than one cell past the column limit.
  std::uint32_t storedColumns = std::numeric_limits<std::uint32_t>::max();
  // Workbooks (.xls, .xlsx, .ods): which worksheet to read; by default the first.
  SheetChoice sheet;
  // When set, a reader that can (delimited text, an .xlsx workbook of one
  // worksheet) hands its cells here as it reads them and leaves
  // CellsRead::rows empty, with `streamed` set.
  RowSink* rows = nullptr;
};

struct CellsRead {
  RowTable rows;
  HeaderTest headerTest;
  // Workbooks: every worksheet's name in order, and which of them `rows` is.
  std::vector<std::string> sheetNames;
  std::size_t sheetIndex = 0;
  bool streamed = false;
};

struct PrimersRead {
  PrimerList primers;
  std::optional<ListSettings> settings;  // set when the format stores them
};

using ReadResult = std::variant<CellsRead, PrimersRead>;
using ReadFunction = Expected<ReadResult, ReaderError> (*)(ByteView bytes, const ReadOptions& options);

// Writers write the whole file into `out` and cannot fail for want of
// anything but room: the result is the reason a list does not fit the format,
// shown after "Failed to export: ". Errors of the destination are the sink's.
using WriteFunction = std::optional<std::string> (*)(const PrimerList& primers, const ListSettings& settings,
                                                     ByteSink& out);

}  // namespace tamsel
