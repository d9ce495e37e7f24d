#pragma once

// Turns the cell records of a worksheet into cell entries: shared-string and
// in-record texts, numbers, Booleans, and the cached results of formulas.
// Errors, blanks and empty formula results make no cell.

#include <cstdint>
#include <optional>
#include <span>

#include "formats/xls/BIFFParser.h"
#include "formats/xls/CellList.h"
#include "formats/xls/CodePageDecoder.h"
#include "formats/xls/SharedStringTable.h"
#include "formats/xls/WorkbookLayout.h"

namespace tamsel::xls {

class SheetCellReader {
 public:
  SheetCellReader(const WorkbookLayout& layout, const SharedStringTable& sharedStrings, CellList& cells);

  // Reads the records of one of the layout's sheets.
  void read(std::span<const BIFFParser::Record> records, const WorkbookLayout::Sheet& sheet);

 private:
  struct Position {
    std::uint32_t row;
    std::uint32_t column;
  };

  void readCell(std::span<const BIFFParser::Record> records, std::size_t index);
  void addNumber(std::uint32_t row, std::uint32_t column, double value);
  void readLabel(ByteView body);
  void readFormula(ByteView body);
  void readFormulaString(std::span<const BIFFParser::Record> records, std::size_t index);
  // A BIFF5 text: a 16-bit count and that many bytes in the code page.
  void addByteString(Position at, ByteView body, std::size_t offset);

  const WorkbookLayout& layout_;
  const SharedStringTable& sharedStrings_;
  CellList& cells_;
  std::optional<CodePageDecoder> codePage_;
  // The cell of the last formula whose cached result is in the STRING record after it.
  std::optional<Position> pendingFormulaString_;
};

}  // namespace tamsel::xls
