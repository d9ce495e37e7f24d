#pragma once

// The compound document (OLE2 structured storage) container of an .xls file:
// a small file system laid out in fixed-size sectors. Only what the import
// needs is read: the header, the sector allocation table, the directory as a
// flat list, and the bytes of one stream by name, from the regular sectors or
// (for streams below the 4096-byte cutoff) from the mini stream.
//
// Every chain walk ends: at a negative sector number, at a sector outside the
// table or the file, or at the first sector visited twice. The tables are
// bounded by the sectors the file can hold, so a hostile header costs no more
// memory than the file itself.
//
// The document keeps a view of the bytes it was opened on; they must outlive it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/ReaderError.h"

namespace tamsel::xls {

class CompoundDocument {
 public:
  struct DirEntry {
    std::string name;  // UTF-8; empty when the stored name does not decode
    std::int32_t startSector = -1;
    std::int64_t size = 0;  // the low 32 bits of the stored size
    std::uint8_t objectType = 0;  // 1 storage, 2 stream, 5 root
  };

  static constexpr std::int64_t kMiniStreamCutoff = 4096;

  static Expected<CompoundDocument, ReaderError> open(ByteView data);

  // The bytes of the first directory entry named exactly `name`; nothing when
  // there is no such entry or its size is 0. A stream whose chain ends early
  // is returned shorter than its stored size.
  std::optional<Bytes> stream(std::string_view name) const;

 private:
  friend struct CompoundDocumentTables;

  explicit CompoundDocument(ByteView data) : data_(data) {}

  // The number of sectors that begin inside the file (the last may be partial).
  std::uint32_t sectorCount() const;
  // The bytes of sector `sector` that lie inside the file; empty when none do.
  ByteView sector(std::int32_t sector) const;
  // Follows `table` from `start` over units 0 to `unitCount` - 1 (sectors or
  // mini sectors of `unitSize` bytes, read by `unitAt`) until the chain ends,
  // comes back to a unit it visited, or `limit` bytes are collected.
  template <class UnitAt>
  Bytes followChain(const std::vector<std::int32_t>& table, std::int32_t start, std::uint64_t limit,
                    std::uint32_t unitCount, std::size_t unitSize, UnitAt unitAt) const;
  Bytes regularChain(std::int32_t start, std::uint64_t limit) const;
  std::vector<std::int32_t> collectFatSectors() const;
  void buildSat();
  void readDirectory();
  void readMiniSat();

  ByteView data_;
  int sectorShift_ = 9;
  std::int64_t sectorSize_ = 512;
  int miniSectorShift_ = 6;
  std::vector<std::int32_t> sat_;
  std::vector<std::int32_t> miniSat_;
  std::vector<DirEntry> directory_;
  std::optional<DirEntry> root_;
};

}  // namespace tamsel::xls
