#include "formats/xls/BIFFParser.h"

#include <algorithm>
#include <cstring>

#include "formats/xls/BIFFRecordTypes.h"
#include "formats/xls/CellList.h"
#include "model/LittleEndian.h"
#include "formats/xls/SSTSegmentReader.h"
#include "formats/xls/SheetCellReader.h"
#include "formats/xls/WorkbookLayout.h"
#include "formats/xls/XLSErrors.h"

namespace tamsel::xls {

namespace {

constexpr std::size_t kRecordHeaderSize = 4;
constexpr std::size_t kSSTCountsSize = 8;
constexpr std::size_t kTextBudgetPerStreamByte = 64;
constexpr std::size_t kTextBudgetFloor = std::size_t{16} << 20;

}  // namespace

std::vector<BIFFParser::Record> BIFFParser::readRecords(ByteView stream) {
  // Counting first costs a hop per record and saves regrowing a list that
  // can hold a million records.
  std::size_t count = 0;
  for (std::size_t pos = 0; stream.size() - pos >= kRecordHeaderSize;) {
    std::size_t end = pos + kRecordHeaderSize + le::u16(stream, pos + 2);
    if (end > stream.size()) break;
    ++count;
    pos = end;
  }
  std::vector<Record> records;
  records.reserve(count);
  std::size_t pos = 0;
  while (stream.size() - pos >= kRecordHeaderSize) {
    std::uint16_t type = le::u16(stream, pos);
    std::size_t length = le::u16(stream, pos + 2);
    std::size_t body = pos + kRecordHeaderSize;
    if (stream.size() - body < length) break;
    records.push_back(Record{type, stream.subspan(body, length), pos});
    pos = body + length;
  }
  return records;
}

SharedStringTable BIFFParser::readSharedStrings(std::span<const Record> records) {
  SharedStringTable table;
  auto sst = std::find_if(records.begin(), records.end(), [](const Record& r) { return r.type == biff::kSST; });
  if (sst == records.end() || sst->data.size() < kSSTCountsSize) return table;

  std::vector<ByteView> segments{sst->data};
  for (auto it = std::next(sst); it != records.end() && it->type == biff::kContinue; ++it) {
    segments.push_back(it->data);
  }
  std::uint32_t uniqueCount = le::u32(sst->data, 4);
  table.setSize(uniqueCount);
  // Strings are read only while the segments last: a stored count far beyond
  // them costs nothing, the missing entries reading as empty texts.
  SSTSegmentReader reader(segments);
  while (table.storedCount() < uniqueCount && reader.readString(table.arena())) table.closeEntry();
  return table;
}

std::optional<std::string> BIFFParser::readUnicodeString(ByteView body, std::size_t offset) {
  const ByteView segments[] = {body};
  SSTSegmentReader reader(segments, 0, offset);
  const auto header = reader.readStringHeader();
  if (!header || !header->complete || header->width * header->characterCount > reader.availableInSegment()) {
    return std::nullopt;
  }
  std::string text;
  reader.readCharacters(*header, text);
  return text;
}

double BIFFParser::decodeRK(std::uint32_t rk) {
  double value;
  if (rk & 0x02) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  if (rk & 0x01) value /= 100;
  return value;
}

Expected<WorkbookSheet, ReaderError> BIFFParser::extractSheet(ByteView stream, const SheetChoice& choice) {
  std::vector<Record> records = readRecords(stream);
  if (records.empty()) return WorkbookSheet{};
  WorkbookLayout layout = WorkbookLayout::scan(records);
  if (layout.passwordProtected) return unexpected(xlsError(kPasswordProtectedMessage));

  SharedStringTable sharedStrings = layout.biff5 ? SharedStringTable{} : readSharedStrings(records);
  // Real sheets hold at most a few times their stream's size in text; only a
  // damaged file points a huge number of cells at one long shared string.
  // The budget is shared by every sheet read, however many there are.
  std::size_t textBudget = kTextBudgetPerStreamByte * stream.size() + kTextBudgetFloor;
  SheetPicker picker(choice);
  for (const WorkbookLayout::Sheet& sheet : layout.sheets) {
    if (!picker.wants(sheet.name)) continue;
    CellList cells(sharedStrings);
    SheetCellReader reader(layout, sharedStrings, cells);
    reader.read(records, sheet);
    auto table = cells.buildRowTable(textBudget);
    if (!table) return unexpected(xlsError(kTooMuchTextMessage));
    textBudget -= std::min(textBudget, table->textBytes());
    picker.offer(std::move(*table));
  }
  return picker.finish("XLSParser");
}

}  // namespace tamsel::xls
