#pragma once

// Reads an Excel 97-2003 workbook (.xls) into the row table of one worksheet.
// Errors carry the domain "XLSParser".

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/ReaderError.h"
#include "model/RowTable.h"
#include "model/SheetChoice.h"

namespace tamsel {

class XLSParser {
 public:
  // The first worksheet the workbook globals list.
  static Expected<RowTable, ReaderError> parse(ByteView data);
  // The worksheet `choice` names, in the globals' order.
  static Expected<WorkbookSheet, ReaderError> parseSheet(ByteView data, const SheetChoice& choice);
};

}  // namespace tamsel
