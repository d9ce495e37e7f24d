#pragma once

// Reads the members of a ZIP archive held whole in memory: stored (method 0)
// and DEFLATE (method 8) members, located through the central directory.
// Nothing here reports an error about the archive as a whole: whatever cannot
// be read is absent, and the caller decides what a missing member means.
//
// Members are decompressed only when asked for. A member's declared size is
// believed only as far as DEFLATE could produce it from the member's
// compressed bytes, and no member yields more than a limit (256 MiB unless
// told otherwise).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/zip/MemberStream.h"
#include "model/Bytes.h"
#include "model/Expected.h"

namespace tamsel::zip {

class ZIPReader {
 public:
  // One central directory file header as read.
  struct Entry {
    // UTF-8 name with backslashes read as forward slashes (some Windows tools
    // write xl\worksheets\sheet1.xml); empty when the bytes are not UTF-8.
    std::string filename;
    std::int64_t compressedSize = 0;
    std::int64_t uncompressedSize = 0;
    std::uint16_t compressionMethod = 0;
    std::int64_t localHeaderOffset = 0;
  };

  enum class ExtractError {
    missing,   // no readable member (of that name)
    tooLarge,  // more than the member limit, or more than memory allows
  };

  // The largest member output this reader hands out by default (256 MiB):
  // the worksheet of a million primers takes about 180 MiB, and a part that
  // decompresses further is refused before it is inflated.
  static constexpr std::int64_t kMaxMemberSize = std::int64_t{256} << 20;

  explicit ZIPReader(ByteView data, std::int64_t memberLimit = kMaxMemberSize)
      : data_(data), memberLimit_(memberLimit) {}

  // Nothing when there is no end of central directory record; otherwise the
  // directory's records in order, as far as they could be read.
  std::optional<std::vector<Entry>> readCentralDirectory() const;

  // The member's uncompressed contents, or why there are none.
  Expected<Bytes, ExtractError> extract(const Entry& entry) const;

  // The contents under `name`: of the last readable member of that name, as
  // a later member replaces an earlier one; no other member is decompressed.
  Expected<Bytes, ExtractError> extractMember(std::span<const Entry> directory, std::string_view name) const;

  // The contents under `name` to be read in pieces: of the last member of
  // that name that passes every check made before inflating. Whether its
  // DEFLATE stream can be read shows only as it is read (MemberStream::failed);
  // extractMember would then have gone on to an earlier member.
  Expected<MemberStream, ExtractError> openMember(std::span<const Entry> directory, std::string_view name) const;

 private:
  // Where a member's bytes lie, whether they are DEFLATE, and the most
  // output they may give (the believable declared size).
  struct Located {
    ByteView bytes;
    bool deflated;
    std::uint64_t size;
  };
  Expected<Located, ExtractError> locate(const Entry& entry) const;

  ByteView data_;
  std::int64_t memberLimit_;
};

}  // namespace tamsel::zip
