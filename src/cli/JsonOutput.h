#pragma once

// JSON as tamsel-cli prints it: compact, keys in the documented order, text as
// raw UTF-8 (control characters escaped). Lists are written one element at a
// time, so a large file does not become one large document in memory.

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>

#include <optional>

#include "import/TableLayout.h"
#include "model/PrimerList.h"
#include "model/RowTable.h"

namespace tamsel::cli {

// One value on one line; text that is not UTF-8 shows U+FFFD rather than aborting.
std::string compactJson(const nlohmann::ordered_json& value);

// {"defaultMismatches":N,"endMatches":N,"primers":[{"selected":B,"name":S,"sequence":S,"comment":S},...]};
// with properties, a "properties" object with the Tm method and conditions
// after the settings, and one with each primer's length, GC and Tm.
void writePrimersJson(std::ostream& out, const PrimerList& primers, int defaultMismatches, int endMatches,
                      bool withProperties = false);

// {"rows":[["cell",...],...]}
void writeRowsJson(std::ostream& out, const RowTable& rows);

// {"reading":S,"sheet":S|null,"headerRow":N|null,"skippedRows":[N,...],"columns":[{"column":S,"header":S,
// "role":S},...],"ignoredColumns":[S,...],"primersPerRow":N}; rows count from 1. Without a layout (a primer
// file): {"reading":"primers",...} with no columns.
void writeLayoutJson(std::ostream& out, const std::optional<TableLayout>& layout);

}  // namespace tamsel::cli
