#pragma once

// Reads a BED file of primer positions, as amplicon primer schemes publish
// them: one primer per line, fields separated by tabs (by runs of spaces on a
// line without a tab); "track", "browser" and "#" lines are skipped. The name
// is field 4, the sequence field 7 when there is one, and the comment gives
// the position as "<field 1>:<field 2>-<field 3> <field 6>" with the numbers
// as written. Errors carry the domain "BEDParser".

#include <string_view>

#include "model/Expected.h"
#include "model/PrimerList.h"
#include "model/ReaderError.h"

namespace tamsel {

class BEDParser {
 public:
  static Expected<PrimerList, ReaderError> parse(std::string_view text);
};

}  // namespace tamsel
