#include "formats/text/DelimitedTextReader.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "formats/text/DelimitedTextSplitter.h"
#include "model/PrimersFromRows.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

constexpr std::uint32_t kMaxColumns = 4;

// A text file's header is recognised loosely: any of the three words anywhere
// in the first record, inside longer words too ("Primer Name", "SEQUENCES").
bool isHeaderRecord(std::string_view record) {
  const std::string lowered = unicode::toLower(record);
  for (std::string_view word : {"name", "sequence", "selected"}) {
    if (lowered.find(word) != std::string::npos) return true;
  }
  return false;
}

// The records split at the delimiter, or at runs of spaces when none holds it.
SplitText splitText(std::string_view text, std::string_view extension, std::uint32_t storedColumns) {
  SplitText split = splitRecords(text, delimiterFor(text, extension), storedColumns);
  if (split.maxCellCount == 1) {
    if (std::optional<RowTable> spaced = splitAtSpaceRuns(split.rows)) {
      split.rows = std::move(*spaced);
      split.maxCellCount = split.rows.maxWidth();
    }
  }
  return split;
}

}  // namespace

RowTable splitDelimitedText(std::string_view text, std::string_view extension) {
  return splitText(text, extension, std::numeric_limits<std::uint32_t>::max()).rows;
}

Expected<PrimerList, ImportError> parseDelimitedText(std::string_view text, std::string_view extension) {
  // Columns past the limit are only counted: the file fails anyway.
  const SplitText split = splitText(text, extension, kMaxColumns + 1);
  const RowTable& rows = split.rows;
  if (rows.empty()) return PrimerList{};
  if (split.maxCellCount > kMaxColumns) {
    return unexpected(
        ImportError::tooManyColumns(static_cast<int>(std::min<std::size_t>(split.maxCellCount, INT32_MAX))));
  }
  if (!isHeaderRecord(split.firstRecord)) return primersFromDataRows(rows, 0, false);
  return primersFromDataRows(rows, 1, normalizedHeaderCell(rows.row(0).cell(0)) == "selected");
}

}  // namespace tamsel
