#pragma once

// Writes a primer list as an Excel workbook (.xlsx): one sheet with the
// header row Selected, Name, Sequence, Comment.

#include "model/Bytes.h"
#include "model/PrimerEntry.h"

namespace tamsel {

class XLSXWriter {
 public:
  static Bytes write(const PrimerList& primers);
};

}  // namespace tamsel
