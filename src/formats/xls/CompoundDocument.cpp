#include "formats/xls/CompoundDocument.h"

#include <algorithm>
#include <limits>

#include "model/LittleEndian.h"
#include "formats/xls/UTF8Text.h"
#include "formats/xls/XLSErrors.h"

namespace tamsel::xls {

namespace {

constexpr std::size_t kHeaderSize = 512;
constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::size_t kHeaderDifatSlots = 109;
constexpr std::size_t kDirEntrySize = 128;
constexpr std::uint8_t kRootStorage = 5;
// Sector sizes from 128 bytes to 64 KiB; real files use 512 or 4096. Outside
// this range offsets overflow or a sector cannot hold its own next pointer.
constexpr int kMinSectorShift = 7;
constexpr int kMaxSectorShift = 16;

}  // namespace

Expected<CompoundDocument, ReaderError> CompoundDocument::open(ByteView data) {
  if (data.size() < kHeaderSize) return unexpected(xlsError(kFileTooSmallMessage));
  if (!std::equal(std::begin(kSignature), std::end(kSignature), data.begin())) {
    return unexpected(xlsError(kNotOLE2Message));
  }
  int shift = le::u16(data, 30);
  if (shift < kMinSectorShift || shift > kMaxSectorShift) return unexpected(xlsError(kNotOLE2Message));

  CompoundDocument doc(data);
  doc.sectorShift_ = shift;
  doc.sectorSize_ = std::int64_t{1} << shift;
  int miniShift = le::u16(data, 32);
  // A mini sector larger than a sector makes no sense; such mini streams read as empty.
  doc.miniSectorShift_ = miniShift >= 1 && miniShift <= shift ? miniShift : -1;
  doc.buildSat();
  doc.readDirectory();
  doc.readMiniSat();
  return doc;
}

std::uint32_t CompoundDocument::sectorCount() const {
  auto size = static_cast<std::uint64_t>(data_.size());
  auto sectorSize = static_cast<std::uint64_t>(sectorSize_);
  if (size <= sectorSize) return 0;
  return static_cast<std::uint32_t>((size - sectorSize + sectorSize - 1) / sectorSize);
}

ByteView CompoundDocument::sector(std::int32_t number) const {
  if (number < 0) return {};
  std::uint64_t offset = (static_cast<std::uint64_t>(number) + 1) << sectorShift_;
  if (offset >= data_.size()) return {};
  auto length = std::min<std::uint64_t>(static_cast<std::uint64_t>(sectorSize_), data_.size() - offset);
  return data_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
}

template <class UnitAt>
Bytes CompoundDocument::followChain(const std::vector<std::int32_t>& table, std::int32_t start,
                                    std::uint64_t limit, std::uint32_t unitCount, std::size_t unitSize,
                                    UnitAt unitAt) const {
  Bytes out;
  out.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(limit, std::uint64_t{unitCount} * unitSize)));
  std::vector<bool> visited(unitCount);
  for (std::int32_t s = start; s >= 0; s = table[static_cast<std::size_t>(s)]) {
    auto index = static_cast<std::uint32_t>(s);
    if (index >= table.size() || index >= unitCount || visited[index]) break;
    visited[index] = true;
    ByteView unit = unitAt(s);
    if (unit.empty()) break;
    auto take = static_cast<std::size_t>(std::min<std::uint64_t>(unit.size(), limit - out.size()));
    out.insert(out.end(), unit.begin(), unit.begin() + static_cast<std::ptrdiff_t>(take));
    if (out.size() >= limit) break;
    // A unit cut short by the end of the file is the last one that can be read.
    if (unit.size() < unitSize) break;
  }
  return out;
}

Bytes CompoundDocument::regularChain(std::int32_t start, std::uint64_t limit) const {
  return followChain(sat_, start, limit, sectorCount(), static_cast<std::size_t>(sectorSize_),
                     [this](std::int32_t s) { return sector(s); });
}

std::vector<std::int32_t> CompoundDocument::collectFatSectors() const {
  // One FAT sector describes sectorSize / 4 sectors; more FAT sectors than the
  // file's sectors need would only describe sectors that do not exist.
  const std::size_t perSector = static_cast<std::size_t>(sectorSize_ / 4);
  const std::size_t needed = (sectorCount() + perSector - 1) / perSector;
  std::vector<std::int32_t> fatSectors;

  for (std::size_t slot = 0; slot < kHeaderDifatSlots && fatSectors.size() < needed; ++slot) {
    std::int32_t value = le::i32(data_, 76 + 4 * slot);
    if (value >= 0) fatSectors.push_back(value);
  }

  std::vector<bool> visited(sectorCount());
  for (std::int32_t d = le::i32(data_, 68); d >= 0 && fatSectors.size() < needed;) {
    auto index = static_cast<std::uint32_t>(d);
    if (index >= visited.size() || visited[index]) break;
    visited[index] = true;
    std::uint64_t base = (static_cast<std::uint64_t>(d) + 1) << sectorShift_;
    for (std::size_t j = 0; j + 1 < perSector && fatSectors.size() < needed; ++j) {
      std::int32_t value = le::i32(data_, static_cast<std::size_t>(base + 4 * j));
      if (value >= 0) fatSectors.push_back(value);
    }
    d = le::i32(data_, static_cast<std::size_t>(base + 4 * (perSector - 1)));
  }
  return fatSectors;
}

void CompoundDocument::buildSat() {
  const std::size_t perSector = static_cast<std::size_t>(sectorSize_ / 4);
  std::vector<std::int32_t> fatSectors = collectFatSectors();
  sat_.reserve(fatSectors.size() * perSector);
  for (std::int32_t f : fatSectors) {
    std::uint64_t base = (static_cast<std::uint64_t>(f) + 1) << sectorShift_;
    for (std::size_t j = 0; j < perSector; ++j) {
      std::uint64_t offset = base + 4 * j;
      sat_.push_back(offset < data_.size() ? le::i32(data_, static_cast<std::size_t>(offset)) : 0);
    }
  }
}

void CompoundDocument::readDirectory() {
  Bytes stream = regularChain(le::i32(data_, 48), std::numeric_limits<std::uint64_t>::max());
  ByteView bytes(stream);
  for (std::size_t at = 0; at + kDirEntrySize <= bytes.size(); at += kDirEntrySize) {
    ByteView entry = bytes.subspan(at, kDirEntrySize);
    std::size_t nameLength = le::u16(entry, 64);
    if (nameLength <= 2) continue;
    DirEntry dir;
    // A stored length past the 64-byte name field is limited to the field.
    std::size_t nameBytes = std::min<std::size_t>(nameLength - 2, 64);
    if (nameBytes % 2 == 0) appendUTF16LE(dir.name, entry.first(nameBytes));
    dir.objectType = entry[66];
    dir.startSector = le::i32(entry, 116);
    dir.size = le::u32(entry, 120);
    if (!root_ && dir.objectType == kRootStorage) root_ = dir;
    directory_.push_back(std::move(dir));
  }
}

void CompoundDocument::readMiniSat() {
  Bytes table = regularChain(le::i32(data_, 60), std::numeric_limits<std::uint64_t>::max());
  miniSat_.resize(table.size() / 4);
  for (std::size_t i = 0; i < miniSat_.size(); ++i) miniSat_[i] = le::i32(table, 4 * i);
}

std::optional<Bytes> CompoundDocument::stream(std::string_view name) const {
  auto it = std::find_if(directory_.begin(), directory_.end(),
                         [&](const DirEntry& entry) { return entry.name == name; });
  if (it == directory_.end() || it->size < 1) return std::nullopt;
  if (it->startSector < 0) return Bytes{};
  auto size = static_cast<std::uint64_t>(it->size);

  bool inMiniStream = it->size < kMiniStreamCutoff && root_ && it->objectType != kRootStorage;
  if (!inMiniStream) return regularChain(it->startSector, size);
  if (miniSectorShift_ < 0 || root_->startSector < 0) return Bytes{};

  // The mini stream is the root entry's stream, cut into mini sectors that
  // are chained through the mini FAT.
  Bytes miniStream = regularChain(root_->startSector, static_cast<std::uint64_t>(root_->size));
  const std::size_t miniSize = std::size_t{1} << miniSectorShift_;
  const auto miniCount = static_cast<std::uint32_t>((miniStream.size() + miniSize - 1) / miniSize);
  ByteView mini(miniStream);
  return followChain(miniSat_, it->startSector, size, miniCount, miniSize, [&](std::int32_t m) {
    std::size_t offset = static_cast<std::size_t>(m) * miniSize;
    return mini.subspan(offset, std::min(miniSize, mini.size() - offset));
  });
}

}  // namespace tamsel::xls
