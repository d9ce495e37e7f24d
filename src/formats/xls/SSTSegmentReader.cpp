#include "formats/xls/SSTSegmentReader.h"

#include <algorithm>

#include "formats/xls/Utf8Text.h"

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

bool SSTSegmentReader::readString(std::string& out) {
  auto low = readByte();
  auto high = readByte();
  auto flags = readByte();
  if (!low || !high || !flags) return false;
  std::size_t remaining = *low | (*high << 8);

  std::uint64_t runCount = 0;
  if (*flags & kHasRichTextRuns) {
    auto runLow = readByte();
    auto runHigh = readByte();
    if (runLow && runHigh) runCount = *runLow | (*runHigh << 8);
  }
  std::uint64_t phoneticSize = 0;
  if (*flags & kHasPhoneticData) phoneticSize = readUInt32().value_or(0);

  std::size_t width = (*flags & kTwoByteCharacters) ? 2 : 1;
  if (segIndex_ < segments_.size() && width * remaining <= availableInSegment()) {
    // The common case: the characters lie in one segment and decode in place.
    ByteView bytes = segments_[segIndex_].subspan(pos_, width * remaining);
    pos_ += bytes.size();
    if (width == 2) {
      appendUtf16LE(out, bytes);
    } else {
      appendLatin1(out, bytes);
    }
    skip(runCount * 4 + phoneticSize);
    return true;
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

  skip(runCount * 4 + phoneticSize);
  appendUtf16(out, units_);
  return true;
}

}  // namespace tamsel::xls
