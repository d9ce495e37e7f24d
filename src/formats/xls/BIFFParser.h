#pragma once

// The BIFF record stream of a workbook: framing into records, the shared
// string table, the in-record string form, and the walk that turns the first
// worksheet's cell records into a row table.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/xls/SharedStringTable.h"
#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/ReaderError.h"
#include "model/RowTable.h"
#include "model/SheetChoice.h"

namespace tamsel::xls {

class BIFFParser {
 public:
  struct Record {
    std::uint16_t type;
    ByteView data;  // the body, a view into the stream
    std::size_t offset;  // of the record header in the stream
  };

  // Splits the stream into records; a last record that claims more bytes
  // than remain is dropped with anything after it.
  static std::vector<Record> readRecords(ByteView stream);

  // The SST record and the CONTINUE records right after it, decoded.
  static SharedStringTable readSharedStrings(std::span<const Record> records);

  // A BIFF8 string (count, flags, optional run count and phonetic size,
  // characters) lying wholly in `body` at `offset`; nothing when it does not fit.
  static std::optional<std::string> readUnicodeString(ByteView body, std::size_t offset);

  // The number an RK value stands for.
  static double decodeRK(std::uint32_t rk);

  // The row table of the worksheet `choice` names (WorkbookLayout says which
  // there are; a stream without workbook structure is one sheet). Fails for a
  // password-protected workbook, and for a damaged one whose cells would
  // repeat a shared string without bound.
  static Expected<WorkbookSheet, ReaderError> extractSheet(ByteView stream, const SheetChoice& choice);
};

}  // namespace tamsel::xls
