#pragma once

// The readable table of `tamsel-cli show`: one line per primer, columns padded
// to their widest cell and long texts shortened with an ellipsis.

#include <iosfwd>
#include <string_view>

#include "model/PrimerEntry.h"

namespace tamsel::cli {

void writePrimerTable(std::ostream& out, std::string_view title, const PrimerList& primers, int defaultMismatches,
                      int endMatches);

}  // namespace tamsel::cli
