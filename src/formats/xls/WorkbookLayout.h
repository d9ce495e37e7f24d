#pragma once

// What the workbook globals say about the record stream: the BIFF version,
// the code page of 8-bit texts, whether the records are encrypted, and which
// records hold each worksheet's cells.
//
// The worksheets are the BOUNDSHEET entries of worksheet type, in the
// globals' order (hidden sheets count; chart, macro and module sheets do
// not). The first is found through the stream position its entry gives, or
// failing that as the first worksheet BOF after the globals; it runs from
// that BOF to its matching EOF. Later worksheets are found through their
// positions only. A stream without that structure is one sheet, walked whole.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/xls/BIFFParser.h"
#include "formats/xls/CodePageDecoder.h"

namespace tamsel::xls {

struct WorkbookLayout {
  struct Sheet {
    std::string name;  // "Sheet1" when the globals name none
    // The records to walk for cells, [cellsBegin, cellsEnd).
    std::size_t cellsBegin = 0;
    std::size_t cellsEnd = 0;
    // True when [cellsBegin, cellsEnd) is one worksheet substream beginning
    // with its BOF: cells of substreams nested in it (embedded charts) are skipped.
    bool singleSheet = false;
  };

  bool biff5 = false;
  std::uint16_t codePage = CodePageDecoder::kDefaultCodePage;
  bool passwordProtected = false;
  std::vector<Sheet> sheets;  // never empty

  static WorkbookLayout scan(std::span<const BIFFParser::Record> records);
};

}  // namespace tamsel::xls
