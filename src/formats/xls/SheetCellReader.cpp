#include "formats/xls/SheetCellReader.h"

#include "formats/xls/BIFFRecordTypes.h"
#include "model/LittleEndian.h"
#include "formats/xls/SSTSegmentReader.h"
#include "model/NumberText.h"

namespace tamsel::xls {

namespace {

using Record = BIFFParser::Record;

// The shortest bodies that hold what is read from each cell record.
constexpr std::size_t kCellHeaderSize = 6;  // row, column, format index
constexpr std::size_t kLabelSSTSize = 10;
constexpr std::size_t kLabelSize = 8;
constexpr std::size_t kNumberSize = 14;
constexpr std::size_t kRKSize = 10;
constexpr std::size_t kBoolErrSize = 8;
constexpr std::size_t kFormulaResultSize = 14;
constexpr std::size_t kMulRKEntrySize = 6;

// A formula result whose last two bytes are 0xFFFF is not a number; its
// first byte says what it is.
constexpr std::uint8_t kFormulaString = 0;
constexpr std::uint8_t kFormulaBoolean = 1;

std::uint32_t rowOf(ByteView body) { return le::u16(body, 0); }
std::uint32_t columnOf(ByteView body) { return le::u16(body, 2); }

}  // namespace

SheetCellReader::SheetCellReader(const WorkbookLayout& layout, const SharedStringTable& sharedStrings,
                                 CellList& cells)
    : layout_(layout), sharedStrings_(sharedStrings), cells_(cells) {
  if (layout.biff5) codePage_.emplace(layout.codePage);
}

void SheetCellReader::read(std::span<const Record> records, const WorkbookLayout::Sheet& sheet) {
  int depth = 0;
  for (std::size_t i = sheet.cellsBegin; i < sheet.cellsEnd && i < records.size(); ++i) {
    std::uint16_t type = records[i].type;
    if (sheet.singleSheet) {
      if (type == biff::kBOF) ++depth;
      if (type == biff::kEOF) --depth;
      if (depth != 1) continue;
    }
    readCell(records, i);
  }
}

void SheetCellReader::readCell(std::span<const Record> records, std::size_t index) {
  ByteView body = records[index].data;
  switch (records[index].type) {
    case biff::kLabelSST: {
      if (body.size() < kLabelSSTSize) return;
      std::uint32_t index = le::u32(body, 6);
      if (index < sharedStrings_.size()) cells_.addShared(rowOf(body), columnOf(body), index);
      return;
    }
    case biff::kLabel:
    case biff::kRString:
      readLabel(body);
      return;
    case biff::kNumber:
      if (body.size() >= kNumberSize) addNumber(rowOf(body), columnOf(body), le::f64(body, 6));
      return;
    case biff::kRK:
      if (body.size() >= kRKSize) addNumber(rowOf(body), columnOf(body), BIFFParser::decodeRK(le::u32(body, 6)));
      return;
    case biff::kMulRK: {
      std::size_t entries = body.size() >= kCellHeaderSize ? (body.size() - kCellHeaderSize) / kMulRKEntrySize : 0;
      for (std::size_t k = 0; k < entries; ++k) {
        std::uint32_t rk = le::u32(body, 4 + kMulRKEntrySize * k + 2);
        addNumber(rowOf(body), columnOf(body) + static_cast<std::uint32_t>(k), BIFFParser::decodeRK(rk));
      }
      return;
    }
    case biff::kBoolErr:
      // Byte 7 tells an error (no cell) from a Boolean.
      if (body.size() >= kBoolErrSize && body[7] == 0) {
        cells_.add(rowOf(body), columnOf(body), body[6] ? "1" : "0");
      }
      return;
    case biff::kFormula:
      readFormula(body);
      return;
    case biff::kString:
      readFormulaString(records, index);
      return;
    default:
      return;
  }
}

void SheetCellReader::addNumber(std::uint32_t row, std::uint32_t column, double value) {
  cells_.add(row, column, numberText(value));
}

void SheetCellReader::readLabel(ByteView body) {
  if (body.size() < kLabelSize) return;
  if (codePage_) {
    addByteString({rowOf(body), columnOf(body)}, body, kCellHeaderSize);
  } else if (auto text = BIFFParser::readUnicodeString(body, kCellHeaderSize)) {
    cells_.add(rowOf(body), columnOf(body), *text);
  }
}

void SheetCellReader::addByteString(Position at, ByteView body, std::size_t offset) {
  std::size_t count = le::u16(body, offset);
  if (!le::fits(body, offset + 2, count)) return;
  std::size_t begin = cells_.arena().size();
  codePage_->append(cells_.arena(), body.subspan(offset + 2, count));
  cells_.commit(at.row, at.column, begin);
}

void SheetCellReader::readFormula(ByteView body) {
  pendingFormulaString_.reset();
  if (body.size() < kFormulaResultSize) return;
  Position at{rowOf(body), columnOf(body)};
  if (le::u16(body, 12) != 0xFFFF) {
    addNumber(at.row, at.column, le::f64(body, 6));
    return;
  }
  switch (body[6]) {
    case kFormulaString:
      pendingFormulaString_ = at;
      return;
    case kFormulaBoolean:
      cells_.add(at.row, at.column, body[8] ? "1" : "0");
      return;
    default:  // an error or an empty string
      return;
  }
}

void SheetCellReader::readFormulaString(std::span<const Record> records, std::size_t index) {
  if (!pendingFormulaString_) return;
  Position at = *pendingFormulaString_;
  pendingFormulaString_.reset();
  std::size_t begin = cells_.arena().size();
  if (codePage_) {
    std::size_t count = le::u16(records[index].data, 0);
    ByteView body = records[index].data;
    if (le::fits(body, 2, count)) codePage_->append(cells_.arena(), body.subspan(2, count));
  } else {
    // A long result goes on in CONTINUE records, as shared strings do.
    std::vector<ByteView> segments{records[index].data};
    for (std::size_t i = index + 1; i < records.size() && records[i].type == biff::kContinue; ++i) {
      segments.push_back(records[i].data);
    }
    SSTSegmentReader(segments, 0, 0).readString(cells_.arena());
  }
  // A cached empty text makes no cell, as the empty-string result type does.
  if (cells_.arena().size() > begin) cells_.commit(at.row, at.column, begin);
}

}  // namespace tamsel::xls
