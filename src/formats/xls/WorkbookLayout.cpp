#include "formats/xls/WorkbookLayout.h"

#include <algorithm>
#include <optional>

#include "formats/xls/BIFFRecordTypes.h"
#include "formats/xls/UTF8Text.h"
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

// A BOUNDSHEET entry of worksheet type: where its BOF stands and its name.
struct WorksheetEntry {
  std::uint32_t offset;
  ByteView record;
};

// The name after the offset, type and visibility: a count of characters,
// then (BIFF8) a flags byte and 8-bit or UTF-16LE characters, or (BIFF5)
// 8-bit characters in the code page.
std::string sheetName(ByteView record, bool biff5, std::uint16_t codePage) {
  constexpr std::size_t kNameOffset = 6;
  std::string name;
  if (!le::fits(record, kNameOffset, 1)) return name;
  const std::size_t count = record[kNameOffset];
  if (biff5) {
    if (le::fits(record, kNameOffset + 1, count)) {
      CodePageDecoder(codePage).append(name, record.subspan(kNameOffset + 1, count));
    }
    return name;
  }
  if (!le::fits(record, kNameOffset + 1, 1)) return name;
  const bool wide = record[kNameOffset + 1] & 0x01;
  const std::size_t bytes = wide ? 2 * count : count;
  if (!le::fits(record, kNameOffset + 2, bytes)) return name;
  const ByteView characters = record.subspan(kNameOffset + 2, bytes);
  wide ? appendUTF16LE(name, characters) : appendLatin1(name, characters);
  return name;
}

}  // namespace

WorkbookLayout WorkbookLayout::scan(std::span<const Record> records) {
  WorkbookLayout layout;
  Sheet first{"", 0, records.size(), false};

  auto firstBof = findRecord(records, 0, biff::kBOF);
  if (firstBof) layout.biff5 = le::u16(records[*firstBof].data, 0) == biff::kBIFF5;
  bool hasGlobals = firstBof && substreamType(records[*firstBof]) == biff::kGlobalsSubstream;

  // The globals run to the first EOF; a stream without them is looked at up
  // to its first EOF for the same records.
  std::size_t globalsEnd = findRecord(records, firstBof.value_or(0), biff::kEOF).value_or(records.size());
  std::vector<WorksheetEntry> worksheets;
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
        if (record.data.size() >= 6 && record.data[5] == biff::kWorksheetSheet) {
          worksheets.push_back({le::u32(record.data, 0), record.data});
        }
        break;
      default:
        break;
    }
  }
  const auto nameOf = [&](const WorksheetEntry& entry) {
    std::string name = sheetName(entry.record, layout.biff5, layout.codePage);
    return name.empty() ? std::string("Sheet") + std::to_string(layout.sheets.size() + 1) : name;
  };
  first.name = worksheets.empty() ? "Sheet1" : nameOf(worksheets.front());
  if (!hasGlobals) {
    layout.sheets.push_back(std::move(first));
    return layout;
  }

  std::optional<std::size_t> sheet;
  if (!worksheets.empty()) sheet = bofAt(records, worksheets.front().offset);
  for (std::size_t i = globalsEnd; !sheet && i < records.size(); ++i) {
    if (records[i].type == biff::kBOF && substreamType(records[i]) == biff::kWorksheetSubstream) sheet = i;
  }
  if (!sheet) {
    first.cellsBegin = std::min(globalsEnd + 1, records.size());
    layout.sheets.push_back(std::move(first));
    return layout;
  }
  first.cellsBegin = *sheet;
  first.cellsEnd = substreamEnd(records, *sheet);
  first.singleSheet = true;
  layout.sheets.push_back(std::move(first));
  for (std::size_t k = 1; k < worksheets.size(); ++k) {
    // Only a worksheet's own BOF after the globals: a position left unset
    // (0, the globals' BOF) or shared with the first sheet names no sheet.
    const std::optional<std::size_t> bof = bofAt(records, worksheets[k].offset);
    if (!bof || *bof <= globalsEnd || *bof == layout.sheets.front().cellsBegin ||
        substreamType(records[*bof]) != biff::kWorksheetSubstream) {
      continue;
    }
    layout.sheets.push_back({nameOf(worksheets[k]), *bof, substreamEnd(records, *bof), true});
  }
  return layout;
}

}  // namespace tamsel::xls
