#pragma once

// Writes a primer list as an Excel workbook (.xlsx): one sheet with the
// header row Selected, Name, Sequence, Comment, then one row per primer, every
// cell a shared string. The package holds seven parts, stored uncompressed:
// five fixed texts (XLSXFixedParts.h), the shared-string table and the sheet
// (XLSXWriterParts.h).

#include <string>

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/PrimerList.h"

namespace tamsel {

class XLSXWriter {
 public:
  // The workbook's bytes. Throws std::length_error only for a list too large
  // for the ZIP format (a part over 4 GB, tens of millions of primers).
  static Bytes write(const PrimerList& primers);
  // As write, but such a list gives the reason to show instead.
  static Expected<Bytes, std::string> writeChecked(const PrimerList& primers);
};

}  // namespace tamsel
