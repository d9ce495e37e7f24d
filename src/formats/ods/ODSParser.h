#pragma once

// Reads an OpenDocument spreadsheet (.ods): the ZIP package's content.xml,
// one worksheet of it as the sheet choice says. Errors carry the domain
// "ODSParser".

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/ReaderError.h"
#include "model/SheetChoice.h"

namespace tamsel {

class ODSParser {
 public:
  static Expected<WorkbookSheet, ReaderError> parseSheet(ByteView data, const SheetChoice& choice);
};

}  // namespace tamsel
