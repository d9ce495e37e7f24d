#pragma once

// Reads an Excel workbook (.xlsx) into the row table of its first worksheet.
// Errors carry the domain "XLSXParser".

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/ReaderError.h"
#include "model/RowTable.h"

namespace tamsel {

class XLSXParser {
 public:
  static Expected<RowTable, ReaderError> parse(ByteView data);
};

}  // namespace tamsel
