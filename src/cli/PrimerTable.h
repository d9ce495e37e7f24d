#pragma once

// The readable table of `tamsel-cli show`: one line per primer, columns padded
// to their widest cell and long texts shortened with an ellipsis.

#include <iosfwd>
#include <string>
#include <string_view>

#include "model/PrimerList.h"

namespace tamsel::cli {

// With properties, Len, GC% and Tm columns follow the sequence, and a line
// under the title names the Tm method and conditions.
void writePrimerTable(std::ostream& out, std::string_view title, const PrimerList& primers, int defaultMismatches,
                      int endMatches, bool withProperties = false);

// `text` on one line: line breaks as a return symbol, other control
// characters as a space.
std::string printableText(std::string_view text);

}  // namespace tamsel::cli
