#pragma once

// The tables a compound document was opened with, for the tests that check
// how hostile headers bound them.

#include <cstdint>
#include <vector>

#include "formats/xls/CompoundDocument.h"

namespace tamsel::xls {

struct CompoundDocumentTables {
  static const std::vector<std::int32_t>& sat(const CompoundDocument& document) { return document.sat_; }
  static const std::vector<CompoundDocument::DirEntry>& directory(const CompoundDocument& document) {
    return document.directory_;
  }
};

}  // namespace tamsel::xls
