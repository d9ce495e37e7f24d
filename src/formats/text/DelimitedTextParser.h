#pragma once

// Reads comma- or tab-separated text: "," for the extension "csv" (";" when
// the first record holds a semicolon but no comma outside quotes, the tab
// when it holds neither but a tab), the tab for every other extension. Quoted
// fields follow RFC 4180. Text none of whose records holds the delimiter may
// be split at runs of spaces instead (splitAtSpaceRuns).

#include <cstdint>
#include <limits>
#include <string_view>

#include "formats/ReadResult.h"

namespace tamsel {

// The cells after splitting (blank lines dropped, unquoted cells trimmed) and
// the looser header test of text: the first record as it stands.
// `extension` arrives lower-cased and without the dot.
CellsRead splitDelimitedText(std::string_view text, std::string_view extension,
                             std::uint32_t storedColumns = std::numeric_limits<std::uint32_t>::max());

// The same cells into `rows` as they are read, the header test first.
void streamDelimitedText(std::string_view text, std::string_view extension, std::uint32_t storedColumns,
                         RowSink& rows);

// The primers of the text: its cells through the row-to-primer step.
Expected<PrimerList, ReaderError> parseDelimitedText(std::string_view text, std::string_view extension);

}  // namespace tamsel
