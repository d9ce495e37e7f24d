#pragma once

// What the workbook globals say about the record stream: the BIFF version,
// the code page of 8-bit texts, whether the records are encrypted, and which
// records hold the first worksheet's cells.
//
// The first worksheet is the first BOUNDSHEET entry of worksheet type (hidden
// sheets count; chart, macro and module sheets do not), found through the
// stream position that entry gives, or failing that the first worksheet BOF
// after the globals. It runs from that BOF to its matching EOF. A stream
// without that structure is walked whole.

#include <cstdint>
#include <span>

#include "formats/xls/BIFFParser.h"
#include "formats/xls/CodePageDecoder.h"

namespace tamsel::xls {

struct WorkbookLayout {
  bool biff5 = false;
  std::uint16_t codePage = CodePageDecoder::kDefaultCodePage;
  bool passwordProtected = false;
  // The records to walk for cells, [cellsBegin, cellsEnd).
  std::size_t cellsBegin = 0;
  std::size_t cellsEnd = 0;
  // True when [cellsBegin, cellsEnd) is one worksheet substream beginning
  // with its BOF: cells of substreams nested in it (embedded charts) are skipped.
  bool singleSheet = false;

  static WorkbookLayout scan(std::span<const BIFFParser::Record> records);
};

}  // namespace tamsel::xls
