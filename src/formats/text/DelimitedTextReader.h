#pragma once

// Reads comma- or tab-separated text: "," for the extension "csv" (";" when
// the first record holds a semicolon but no comma outside quotes, the tab
// when it holds neither but a tab), the tab for every other extension. Quoted
// fields follow RFC 4180. Text none of whose records holds the delimiter may
// be split at runs of spaces instead (splitAtSpaceRuns).

#include <string_view>

#include "model/Expected.h"
#include "model/ImportError.h"
#include "model/PrimerEntry.h"
#include "model/RowTable.h"

namespace tamsel {

// The cells after splitting: blank lines dropped, unquoted cells trimmed.
RowTable splitDelimitedText(std::string_view text, std::string_view extension);

// `extension` arrives lower-cased and without the dot.
Expected<PrimerList, ImportError> parseDelimitedText(std::string_view text, std::string_view extension);

}  // namespace tamsel
