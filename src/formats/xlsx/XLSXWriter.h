#pragma once

// Writes a primer list as an Excel workbook (.xlsx): one sheet with the
// header row Selected, Name, Sequence, Comment, then one row per primer, every
// cell a shared string. The package holds seven parts, stored uncompressed:
// five fixed texts (XLSXFixedParts.h), the shared-string table and the sheet
// (XLSXWriterParts.h).

#include <optional>
#include <string>

#include "model/ByteSink.h"
#include "model/PrimerList.h"

namespace tamsel {

class XLSXWriter {
 public:
  // Writes the workbook to `out`. Throws std::length_error only for a list
  // too large for the ZIP format (a part over 4 GB, tens of millions of primers).
  static void write(const PrimerList& primers, ByteSink& out);
  // The workbook's bytes.
  static Bytes write(const PrimerList& primers);
  // As write, but such a list gives the reason to show instead.
  static std::optional<std::string> writeChecked(const PrimerList& primers, ByteSink& out);
};

}  // namespace tamsel
