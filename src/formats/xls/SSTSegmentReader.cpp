#include "formats/xls/SSTSegmentReader.h"

#include <algorithm>

#include "formats/xls/UTF8Text.h"

namespace tamsel::xls {

namespace {

constexpr std::uint8_t kTwoByteCharacters = 0x01;
constexpr std::uint8_t kHasPhoneticData = 0x04;
constexpr std::uint8_t kHasRichTextRuns = 0x08;

}  // namespace

std::size_t SSTSegmentReader::availableInSegment() const {
  if (segIndex_ >= segments_.size()) return 0;
  const ByteView& segment = segments_[segIndex_];
  return pos_ < segment.size() ? segment.size() - pos_ : 0;
}

bool SSTSegmentReader::nextSegment() {
  do {
    ++segIndex_;
  } while (segIndex_ < segments_.size() && segments_[segIndex_].empty());
  pos_ = 0;
  return segIndex_ < segments_.size();
}

std::optional<std::uint8_t> SSTSegmentReader::readByte() {
  if (segIndex_ >= segments_.size()) return std::nullopt;
  if (availableInSegment() == 0 && !nextSegment()) return std::nullopt;
  return segments_[segIndex_][pos_++];
}

std::optional<std::uint32_t> SSTSegmentReader::readUInt32() {
  std::uint32_t value = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    auto byte = readByte();
    if (!byte) return std::nullopt;
    value |= static_cast<std::uint32_t>(*byte) << shift;
  }
  return value;
}

void SSTSegmentReader::skip(std::uint64_t count) {
  while (count > 0 && segIndex_ < segments_.size()) {
    std::size_t available = availableInSegment();
    if (available == 0) {
      if (!nextSegment()) return;
      continue;
    }
    auto step = static_cast<std::size_t>(std::min<std::uint64_t>(available, count));
    pos_ += step;
    count -= step;
  }
}

std::optional<SSTSegmentReader::StringHeader> SSTSegmentReader::readStringHeader() {
  auto low = readByte();
  auto high = readByte();
  auto flags = readByte();
  if (!low || !high || !flags) return std::nullopt;
  StringHeader header;
  header.characterCount = *low | (*high << 8);
  header.width = (*flags & kTwoByteCharacters) ? 2 : 1;
  if (*flags & kHasRichTextRuns) {
    auto runLow = readByte();
    auto runHigh = readByte();
    if (runLow && runHigh) {
      header.trailingSize += 4 * static_cast<std::uint64_t>(*runLow | (*runHigh << 8));
    } else {
      header.complete = false;
    }
  }
  if (*flags & kHasPhoneticData) {
    auto phoneticSize = readUInt32();
    header.trailingSize += phoneticSize.value_or(0);
    header.complete = header.complete && phoneticSize;
  }
  return header;
}

void SSTSegmentReader::readCharacters(const StringHeader& header, std::string& out) {
  std::size_t remaining = header.characterCount;
  std::size_t width = header.width;
  if (segIndex_ < segments_.size() && width * remaining <= availableInSegment()) {
    // The common case: the characters lie in one segment and decode in place.
    ByteView bytes = segments_[segIndex_].subspan(pos_, width * remaining);
    pos_ += bytes.size();
    if (width == 2) {
      appendUTF16LE(out, bytes);
    } else {
      appendLatin1(out, bytes);
    }
    return;
  }

  units_.clear();
  units_.reserve(remaining);
  while (remaining > 0) {
    std::size_t n = std::min(availableInSegment() / width, remaining);
    if (n > 0) {
      const std::uint8_t* bytes = segments_[segIndex_].data() + pos_;
      if (width == 2) {
        for (std::size_t i = 0; i < n; ++i) {
          units_.push_back(static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
        }
      } else {
        units_.append(bytes, bytes + n);
      }
      pos_ += n * width;
      remaining -= n;
    }
    if (remaining == 0) break;
    // The characters go on in the next segment, behind a new flags byte; an
    // odd byte left in this one is abandoned.
    if (!nextSegment()) break;
    width = (segments_[segIndex_][pos_++] & kTwoByteCharacters) ? 2 : 1;
  }
  appendUTF16(out, units_);
}

bool SSTSegmentReader::readString(std::string& out) {
  const auto header = readStringHeader();
  if (!header) return false;
  readCharacters(*header, out);
  skip(header->trailingSize);
  return true;
}

}  // namespace tamsel::xls
