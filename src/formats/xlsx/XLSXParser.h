#pragma once

// Reads an Excel workbook (.xlsx) into the row table of one worksheet.
// Errors carry the domain "XLSXParser".

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/ReaderError.h"
#include "model/RowTable.h"
#include "model/SheetChoice.h"

namespace tamsel {

class XLSXParser {
 public:
  // The first worksheet: xl/worksheets/sheet1.xml, else the workbook's first.
  static Expected<RowTable, ReaderError> parse(ByteView data);
  // The sheet `choice` names, among the first worksheet and then the others
  // in the workbook's order.
  static Expected<WorkbookSheet, ReaderError> parseSheet(ByteView data, const SheetChoice& choice);
};

}  // namespace tamsel
