#include "formats/zip/ZIPReader.h"

#include <algorithm>

#include "formats/zip/RawInflate.h"
#include "formats/zip/ZIPLayout.h"
#include "model/LittleEndian.h"
#include "model/Unicode.h"

namespace tamsel::zip {
namespace {

constexpr std::size_t kMaxCommentLength = 65535;

std::string memberName(ByteView bytes) {
  std::string name(asText(bytes));
  if (unicode::firstInvalidUTF8Byte(name) != std::string_view::npos) return {};
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

// Scans back from the end for the end record; the window admits an archive
// comment of up to 65,535 bytes and nothing beyond it.
std::optional<std::size_t> findEndRecord(ByteView data) {
  if (data.size() < kEndRecordSize) return std::nullopt;
  const std::size_t last = data.size() - kEndRecordSize;
  const std::size_t first = last > kMaxCommentLength ? last - kMaxCommentLength : 0;
  for (std::size_t p = last + 1; p-- > first;) {
    if (le::u32(data, p) == kEndRecordSignature) return p;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<ZIPReader::Entry>> ZIPReader::readCentralDirectory() const {
  const auto endRecord = findEndRecord(data_);
  if (!endRecord) return std::nullopt;
  const std::uint16_t recordCount = le::u16(data_, *endRecord + 10);
  std::size_t q = le::u32(data_, *endRecord + 16);

  std::vector<Entry> entries;
  entries.reserve(std::min<std::size_t>(recordCount, data_.size() / kCentralHeaderSize));
  for (std::uint32_t i = 0; i < recordCount; ++i) {
    if (q > data_.size() || data_.size() - q < kCentralHeaderSize) break;
    if (le::u32(data_, q) != kCentralHeaderSignature) break;
    const std::size_t nameLength = le::u16(data_, q + 28);
    const std::size_t extraLength = le::u16(data_, q + 30);
    const std::size_t commentLength = le::u16(data_, q + 32);
    // A record whose name runs past the end of the buffer ends the walk too.
    if (data_.size() - q - kCentralHeaderSize < nameLength) break;

    Entry entry;
    entry.compressionMethod = le::u16(data_, q + 10);
    entry.compressedSize = le::u32(data_, q + 20);
    entry.uncompressedSize = le::u32(data_, q + 24);
    entry.localHeaderOffset = le::u32(data_, q + 42);
    entry.filename = memberName(data_.subspan(q + kCentralHeaderSize, nameLength));
    entries.push_back(std::move(entry));
    q += kCentralHeaderSize + nameLength + extraLength + commentLength;
  }
  return entries;
}

Expected<ZIPReader::Located, ZIPReader::ExtractError> ZIPReader::locate(const Entry& entry) const {
  const auto missing = unexpected(ExtractError::missing);
  const std::uint64_t h = static_cast<std::uint64_t>(entry.localHeaderOffset);
  if (entry.localHeaderOffset < 0 || h > data_.size() || data_.size() - h < kLocalHeaderSize) return missing;
  const std::uint64_t start = h + kLocalHeaderSize + le::u16(data_, h + 26) + le::u16(data_, h + 28);
  const std::uint64_t size = static_cast<std::uint64_t>(entry.compressedSize);
  if (entry.compressedSize < 0 || start > data_.size() || data_.size() - start < size) return missing;
  const ByteView stored = data_.subspan(start, size);

  if (entry.compressionMethod == kMethodStored) {
    if (entry.compressedSize > memberLimit_) return unexpected(ExtractError::tooLarge);
    return Located{stored, false, size};
  }
  if (entry.compressionMethod != kMethodDeflate) return missing;
  if (entry.uncompressedSize < 1) return Located{{}, false, 0};

  // The declared size is believed only as far as the compressed bytes could
  // really produce it. A member that claims more than the limit is refused
  // before any of it is inflated: a real bomb costs nothing.
  const std::uint64_t believable =
      std::min(static_cast<std::uint64_t>(entry.uncompressedSize), maxInflatedSize(size));
  const auto limit = static_cast<std::uint64_t>(std::max<std::int64_t>(memberLimit_, 0));
  if (believable > limit) return unexpected(ExtractError::tooLarge);
  return Located{stored, true, believable};
}

Expected<Bytes, ZIPReader::ExtractError> ZIPReader::extract(const Entry& entry) const {
  auto located = locate(entry);
  if (!located) return unexpected(located.error());
  if (!located->deflated) return Bytes(located->bytes.begin(), located->bytes.end());
  auto inflated = rawInflate(located->bytes, static_cast<std::size_t>(located->size));
  if (!inflated && inflated.error() == InflateError::outOfMemory) return unexpected(ExtractError::tooLarge);
  if (!inflated || inflated->bytes.empty()) return unexpected(ExtractError::missing);
  return std::move(inflated->bytes);
}

Expected<MemberStream, ZIPReader::ExtractError> ZIPReader::openMember(std::span<const Entry> directory,
                                                                    std::string_view name) const {
  for (auto it = directory.rbegin(); it != directory.rend(); ++it) {
    if (it->filename != name) continue;
    auto located = locate(*it);
    if (!located && located.error() == ExtractError::missing) continue;
    if (!located) return unexpected(located.error());
    if (!located->deflated) return MemberStream::stored(located->bytes);
    return MemberStream::deflated(located->bytes, located->size);
  }
  return unexpected(ExtractError::missing);
}

Expected<Bytes, ZIPReader::ExtractError> ZIPReader::extractMember(std::span<const Entry> directory,
                                                                  std::string_view name) const {
  for (auto it = directory.rbegin(); it != directory.rend(); ++it) {
    if (it->filename != name) continue;
    auto contents = extract(*it);
    if (contents || contents.error() == ExtractError::tooLarge) return contents;
  }
  return unexpected(ExtractError::missing);
}

}  // namespace tamsel::zip
