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
  // in the workbook's order. With `stream` set, a workbook of one worksheet
  // hands its rows there as they are read and gives them not in the result
  // (`streamed` tells); rows streamed before the result is an error, or one
  // not streamed, are to be discarded.
  static Expected<WorkbookSheet, ReaderError> parseSheet(ByteView data, const SheetChoice& choice,
                                                         RowSink* stream = nullptr);
};

}  // namespace tamsel
