#include "formats/zip/ZIPReader.h"

#include <algorithm>

#include "formats/zip/RawInflate.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

constexpr std::size_t endRecordSize = 22;
constexpr std::size_t maxCommentLength = 65535;
constexpr std::size_t directoryHeaderSize = 46;
constexpr std::size_t localHeaderSize = 30;

constexpr std::uint16_t methodStored = 0;
constexpr std::uint16_t methodDeflate = 8;

// Callers check `offset + 2` (or `+ 4`) against the length first.
std::uint16_t readU16(ByteView data, std::size_t offset) {
  return static_cast<std::uint16_t>(data[offset] | data[offset + 1] << 8);
}

std::uint32_t readU32(ByteView data, std::size_t offset) {
  return static_cast<std::uint32_t>(data[offset]) | static_cast<std::uint32_t>(data[offset + 1]) << 8 |
         static_cast<std::uint32_t>(data[offset + 2]) << 16 | static_cast<std::uint32_t>(data[offset + 3]) << 24;
}

bool hasSignature(ByteView data, std::size_t offset, std::uint8_t third, std::uint8_t fourth) {
  return data[offset] == 0x50 && data[offset + 1] == 0x4B && data[offset + 2] == third && data[offset + 3] == fourth;
}

std::string memberName(ByteView bytes) {
  std::string name(asText(bytes));
  if (unicode::firstInvalidUtf8Byte(name) != std::string_view::npos) return {};
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

// Scans back from the end for the end record; the window admits an archive
// comment of up to 65,535 bytes and nothing beyond it.
std::optional<std::size_t> findEndRecord(ByteView data) {
  if (data.size() < endRecordSize) return std::nullopt;
  const std::size_t last = data.size() - endRecordSize;
  const std::size_t first = last > maxCommentLength ? last - maxCommentLength : 0;
  for (std::size_t p = last + 1; p-- > first;) {
    if (hasSignature(data, p, 0x05, 0x06)) return p;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<ZIPReader::Entry>> ZIPReader::readCentralDirectory() const {
  const auto endRecord = findEndRecord(data_);
  if (!endRecord) return std::nullopt;
  const std::uint16_t recordCount = readU16(data_, *endRecord + 10);
  std::size_t q = readU32(data_, *endRecord + 16);

  std::vector<Entry> entries;
  entries.reserve(std::min<std::size_t>(recordCount, data_.size() / directoryHeaderSize));
  for (std::uint32_t i = 0; i < recordCount; ++i) {
    if (q > data_.size() || data_.size() - q < directoryHeaderSize) break;
    if (!hasSignature(data_, q, 0x01, 0x02)) break;
    const std::size_t nameLength = readU16(data_, q + 28);
    const std::size_t extraLength = readU16(data_, q + 30);
    const std::size_t commentLength = readU16(data_, q + 32);
    // A record whose name runs past the end of the buffer ends the walk too.
    if (data_.size() - q - directoryHeaderSize < nameLength) break;

    Entry entry;
    entry.compressionMethod = readU16(data_, q + 10);
    entry.compressedSize = readU32(data_, q + 20);
    entry.uncompressedSize = readU32(data_, q + 24);
    entry.localHeaderOffset = readU32(data_, q + 42);
    entry.filename = memberName(data_.subspan(q + directoryHeaderSize, nameLength));
    entries.push_back(std::move(entry));
    q += directoryHeaderSize + nameLength + extraLength + commentLength;
  }
  return entries;
}

Expected<Bytes, ZIPReader::ExtractError> ZIPReader::extract(const Entry& entry) const {
  const auto missing = unexpected(ExtractError::missing);
  const std::uint64_t h = static_cast<std::uint64_t>(entry.localHeaderOffset);
  if (entry.localHeaderOffset < 0 || h > data_.size() || data_.size() - h < localHeaderSize) return missing;
  const std::uint64_t start = h + localHeaderSize + readU16(data_, h + 26) + readU16(data_, h + 28);
  const std::uint64_t size = static_cast<std::uint64_t>(entry.compressedSize);
  if (entry.compressedSize < 0 || start > data_.size() || data_.size() - start < size) return missing;
  const ByteView stored = data_.subspan(start, size);

  if (entry.compressionMethod == methodStored) {
    if (entry.compressedSize > memberLimit_) return unexpected(ExtractError::tooLarge);
    return Bytes(stored.begin(), stored.end());
  }
  if (entry.compressionMethod != methodDeflate) return missing;
  if (entry.uncompressedSize < 1) return Bytes{};

  // The declared size is believed only as far as the compressed bytes could
  // really produce it. A member that claims more than the limit is refused
  // before any of it is inflated: a real bomb costs nothing.
  const std::uint64_t believable =
      std::min(static_cast<std::uint64_t>(entry.uncompressedSize), maxInflatedSize(size));
  const auto limit = static_cast<std::uint64_t>(std::max<std::int64_t>(memberLimit_, 0));
  if (believable > limit) return unexpected(ExtractError::tooLarge);

  auto inflated = rawInflate(stored, static_cast<std::size_t>(believable));
  if (!inflated && inflated.error() == InflateError::outOfMemory) return unexpected(ExtractError::tooLarge);
  if (!inflated || inflated->bytes.empty()) return missing;
  return std::move(inflated->bytes);
}

std::optional<Bytes> ZIPReader::extractEntry(const Entry& entry) const {
  auto contents = extract(entry);
  if (!contents) return std::nullopt;
  return std::move(*contents);
}

Expected<Bytes, ZIPReader::ExtractError> ZIPReader::extractMember(std::span<const Entry> directory,
                                                                  std::string_view name) const {
  // The last readable member of the name is the one extractAllEntries keeps.
  for (auto it = directory.rbegin(); it != directory.rend(); ++it) {
    if (it->filename != name) continue;
    auto contents = extract(*it);
    if (contents || contents.error() == ExtractError::tooLarge) return contents;
  }
  return unexpected(ExtractError::missing);
}

std::map<std::string, Bytes> ZIPReader::extractAllEntries() const {
  std::map<std::string, Bytes> members;
  const auto directory = readCentralDirectory();
  if (!directory) return members;
  for (const Entry& entry : *directory) {
    if (auto contents = extract(entry)) members.insert_or_assign(entry.filename, std::move(*contents));
  }
  return members;
}

}  // namespace tamsel
