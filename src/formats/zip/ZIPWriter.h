#pragma once

// Packs named byte buffers into a ZIP archive held in memory: every member
// stored uncompressed, no timestamps, extra fields, comments, data
// descriptors or ZIP64 records. Members keep the order in which they are
// added, in the local headers and in the central directory alike.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/Bytes.h"

namespace tamsel::zip {

class ZIPWriter {
 public:
  // The CRC-32 of the ZIP format (ISO 3309, reflected polynomial 0xEDB88320);
  // 0 for no bytes.
  static std::uint32_t crc32(ByteView bytes);

  // Building member by member lets a writer produce a member's contents
  // straight into the archive instead of copying a finished buffer.
  // `expectedSize` only reserves memory.
  //
  // The format's fields bound what an archive can hold (names up to 65,535
  // bytes, members and the archive up to 4,294,967,295 bytes, up to 65,535
  // members); exceeding one throws std::length_error rather than writing a
  // damaged archive.
  explicit ZIPWriter(std::size_t expectedSize = 0);

  void addMember(std::string_view name, ByteView contents);

  // Adds a member whose contents `produce(Bytes& archive)` appends to the end
  // of the archive buffer; it must only append.
  template <class Producer>
  void addMember(std::string_view name, Producer&& produce) {
    beginMember(name);
    produce(archive_);
    endMember();
  }

  // Appends the central directory and the end record; the writer is spent.
  Bytes finish() &&;

 private:
  void beginMember(std::string_view name);
  void endMember();

  Bytes archive_;
  Bytes centralDirectory_;
  std::size_t memberCount_ = 0;
  std::size_t openHeaderOffset_ = 0;
  std::size_t openDataOffset_ = 0;
};

}  // namespace tamsel::zip
