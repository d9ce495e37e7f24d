#pragma once

// Writes a ZIP archive into a sink as its members are added: every member
// stored uncompressed, no timestamps, extra fields, comments, data
// descriptors or ZIP64 records. Members keep the order in which they are
// added, in the local headers and in the central directory alike.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "model/ByteSink.h"
#include "model/Bytes.h"

namespace tamsel::zip {

class ZIPWriter {
 public:
  // The CRC-32 of the ZIP format (ISO 3309, reflected polynomial 0xEDB88320);
  // 0 for no bytes.
  static std::uint32_t crc32(ByteView bytes);

  // The archive starts at the sink's current position.
  //
  // The format's fields bound what an archive can hold (names up to 65,535
  // bytes, members and the archive up to 4,294,967,295 bytes, up to 65,535
  // members); exceeding one throws std::length_error rather than writing a
  // damaged archive. A member too large is refused before any of it is written.
  explicit ZIPWriter(ByteSink& out);

  void addMember(std::string_view name, ByteView contents);

  // Adds a member whose contents `produce` writes. Its local header comes
  // first and holds the contents' checksum and size, so `produce` runs twice,
  // once to learn them and once to write: it must write the same bytes both times.
  void addMember(std::string_view name, const std::function<void(ByteSink&)>& produce);

  // Writes the central directory and the end record; the writer is spent.
  void finish() &&;

 private:
  std::uint64_t offset() const { return out_.position() - start_; }
  void writeLocalHeader(std::string_view name, std::uint32_t crc, std::size_t size);
  void addDirectoryRecord(std::string_view name, std::uint32_t crc, std::size_t size, std::uint64_t headerOffset);

  ByteSink& out_;
  std::uint64_t start_;
  Bytes centralDirectory_;
  std::size_t memberCount_ = 0;
};

}  // namespace tamsel::zip
