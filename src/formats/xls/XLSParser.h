#pragma once

// Reads an Excel 97-2003 workbook (.xls) into the row table of its first
// worksheet. Errors carry the domain "XLSParser".

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/ReaderError.h"
#include "model/RowTable.h"

namespace tamsel {

class XLSParser {
 public:
  static Expected<RowTable, ReaderError> parse(ByteView data);
};

}  // namespace tamsel
