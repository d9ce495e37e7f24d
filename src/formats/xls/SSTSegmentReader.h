#pragma once

// A forward cursor over a record body and the CONTINUE bodies after it, for
// strings that may cross record boundaries (the shared-string table, a
// formula's STRING result).
//
// Where a string's characters continue in the next segment, that segment
// begins with a new flags byte whose bit 0 gives the character width from
// there on. Nothing else is taken at a boundary: headers, formatting runs and
// phonetic data simply flow on into the next segment.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/Bytes.h"

namespace tamsel::xls {

class SSTSegmentReader {
 public:
  explicit SSTSegmentReader(std::span<const ByteView> segments, std::size_t segIndex = 0, std::size_t pos = 8)
      : segments_(segments), segIndex_(segIndex), pos_(pos) {}

  std::optional<std::uint8_t> readByte();
  std::optional<std::uint32_t> readUInt32();

  // The fields of a BIFF8 string before its characters.
  struct StringHeader {
    std::size_t characterCount = 0;
    std::size_t width = 1;  // bytes per character, until a boundary says otherwise
    std::uint64_t trailingSize = 0;  // formatting runs and phonetic data after the characters
    bool complete = true;  // false when the run count or phonetic size was cut off (read as 0)
  };

  // Reads one string (count, flags, optional run count and phonetic size,
  // characters, runs and phonetic data) and appends its UTF-8 text to `out`.
  // Returns false, appending nothing, when the segments end before its
  // count and flags; a string cut short later keeps the characters read.
  bool readString(std::string& out);

  // The two steps of readString, for a string that must lie whole in one
  // record: the header (nothing without count and flags), then the characters.
  std::optional<StringHeader> readStringHeader();
  void readCharacters(const StringHeader& header, std::string& out);
  std::size_t availableInSegment() const;

  // Moves past `count` bytes as byte-by-byte reading would.
  void skip(std::uint64_t count);

 private:
  // Moves to the first byte of the next non-empty segment; false at the end.
  bool nextSegment();

  std::span<const ByteView> segments_;
  std::size_t segIndex_;
  std::size_t pos_;
  std::u16string units_;  // reused between strings
};

}  // namespace tamsel::xls
