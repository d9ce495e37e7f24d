#pragma once

// JSON as tamsel-cli prints it: compact, keys in the documented order, text as
// raw UTF-8 (control characters escaped). Lists are written one element at a
// time, so a large file does not become one large document in memory.

#include <iosfwd>

#include "model/PrimerEntry.h"
#include "model/RowTable.h"

namespace tamsel::cli {

// {"defaultMismatches":N,"endMatches":N,"primers":[{"selected":B,"name":S,"sequence":S,"comment":S},...]}
void writePrimersJson(std::ostream& out, const PrimerList& primers, int defaultMismatches, int endMatches);

// {"rows":[["cell",...],...]}
void writeRowsJson(std::ostream& out, const RowTable& rows);

}  // namespace tamsel::cli
