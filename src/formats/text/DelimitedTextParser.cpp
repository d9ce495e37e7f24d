#include "formats/text/DelimitedTextParser.h"

#include "formats/text/DelimitedTextSplitter.h"
#include "formats/text/TextDecoding.h"
#include "import/ConvertRows.h"

namespace tamsel {

CellsRead splitDelimitedText(std::string_view text, std::string_view extension, std::uint32_t storedColumns) {
  SplitText split = splitRecords(text, delimiterFor(text, extension), storedColumns);
  // No record holds the delimiter: runs of spaces may split them instead.
  if (split.rows.maxWidth() == 1) {
    if (std::optional<RowTable> spaced = splitAtSpaceRuns(split.rows)) split.rows = std::move(*spaced);
  }
  CellsRead cells;
  cells.rows = std::move(split.rows);
  if (!cells.rows.empty()) cells.headerTest.firstRecordText = std::string(split.firstRecord);
  return cells;
}

void streamDelimitedText(std::string_view text, std::string_view extension, std::uint32_t storedColumns,
                         RowSink& rows) {
  const char delimiter = delimiterFor(text, extension);
  HeaderTest test;
  DelimitedRecordReader first(text, delimiter);
  if (first.next()) test.firstRecordText = std::string(first.recordText());
  rows.setHeaderTest(test);
  splitRecordsInto(text, delimiter, storedColumns, rows);
}

Expected<PrimerList, ReaderError> parseDelimitedText(std::string_view text, std::string_view extension) {
  const CellsRead cells = splitDelimitedText(text, extension, kStoredColumns);
  return primersFromRows(cells.rows, cells.headerTest);
}

}  // namespace tamsel
