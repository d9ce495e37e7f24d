#include "formats/xls/WorkbookLayout.h"

#include <algorithm>
#include <optional>

#include "formats/xls/BIFFRecordTypes.h"
#include "model/LittleEndian.h"

namespace tamsel::xls {

namespace {

using Record = BIFFParser::Record;

std::optional<std::size_t> findRecord(std::span<const Record> records, std::size_t from, std::uint16_t type) {
  for (std::size_t i = from; i < records.size(); ++i) {
    if (records[i].type == type) return i;
  }
  return std::nullopt;
}

std::uint16_t substreamType(const Record& bof) { return le::u16(bof.data, 2); }

// The BOF record that begins at `offset` in the stream, if any.
std::optional<std::size_t> bofAt(std::span<const Record> records, std::uint32_t offset) {
  auto it = std::lower_bound(records.begin(), records.end(), offset,
                             [](const Record& r, std::uint32_t value) { return r.offset < value; });
  if (it == records.end() || it->offset != offset || it->type != biff::kBOF) return std::nullopt;
  return static_cast<std::size_t>(it - records.begin());
}

// The index one past the EOF that closes the substream opened at `bof`.
std::size_t substreamEnd(std::span<const Record> records, std::size_t bof) {
  int depth = 0;
  for (std::size_t i = bof; i < records.size(); ++i) {
    if (records[i].type == biff::kBOF) ++depth;
    if (records[i].type == biff::kEOF && --depth == 0) return i + 1;
  }
  return records.size();
}

}  // namespace

WorkbookLayout WorkbookLayout::scan(std::span<const Record> records) {
  WorkbookLayout layout;
  layout.cellsEnd = records.size();

  auto firstBof = findRecord(records, 0, biff::kBOF);
  if (firstBof) layout.biff5 = le::u16(records[*firstBof].data, 0) == biff::kBIFF5;
  bool hasGlobals = firstBof && substreamType(records[*firstBof]) == biff::kGlobalsSubstream;

  // The globals run to the first EOF; a stream without them is looked at up
  // to its first EOF for the same records.
  std::size_t globalsEnd = findRecord(records, firstBof.value_or(0), biff::kEOF).value_or(records.size());
  std::optional<std::uint32_t> firstSheetOffset;
  for (std::size_t i = 0; i < globalsEnd; ++i) {
    const Record& record = records[i];
    switch (record.type) {
      case biff::kFilePass:
        layout.passwordProtected = true;
        break;
      case biff::kCodePage:
        if (record.data.size() >= 2) layout.codePage = le::u16(record.data, 0);
        break;
      case biff::kBoundSheet:
        if (!firstSheetOffset && record.data.size() >= 6 && record.data[5] == biff::kWorksheetSheet) {
          firstSheetOffset = le::u32(record.data, 0);
        }
        break;
      default:
        break;
    }
  }
  if (!hasGlobals) return layout;

  std::optional<std::size_t> sheet;
  if (firstSheetOffset) sheet = bofAt(records, *firstSheetOffset);
  for (std::size_t i = globalsEnd; !sheet && i < records.size(); ++i) {
    if (records[i].type == biff::kBOF && substreamType(records[i]) == biff::kWorksheetSubstream) sheet = i;
  }
  if (!sheet) {
    layout.cellsBegin = std::min(globalsEnd + 1, records.size());
    return layout;
  }
  layout.cellsBegin = *sheet;
  layout.cellsEnd = substreamEnd(records, *sheet);
  layout.singleSheet = true;
  return layout;
}

}  // namespace tamsel::xls
