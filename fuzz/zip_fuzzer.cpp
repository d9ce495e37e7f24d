// Opens any bytes as a ZIP archive and extracts every member, by entry and by
// name, with a small member limit so that large outputs stay cheap. Each
// member is also read in pieces of varying size, which must give the bytes
// extracted by name unless the stream reports itself failed.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "formats/zip/ZIPReader.h"

namespace {

// A member's bytes read in pieces from 1 byte to 64 KiB; nothing when the
// stream fails.
std::optional<tamsel::Bytes> readInPieces(tamsel::zip::MemberStream& stream) {
  constexpr std::size_t kPieces[] = {1, 7, 300, 1 << 16};
  static std::uint8_t piece[1 << 16];
  tamsel::Bytes contents;
  for (std::size_t i = 0; const std::size_t n = stream.read(piece, kPieces[i % 4]); ++i) {
    contents.insert(contents.end(), piece, piece + n);
  }
  if (stream.failed()) return std::nullopt;
  return contents;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tamsel::zip::ZIPReader zip(tamsel::ByteView(data, size), std::int64_t{64} << 20);
  const auto directory = zip.readCentralDirectory();
  if (!directory) return 0;
  for (const auto& entry : *directory) {
    const auto byEntry = zip.extract(entry);
    const auto byName = zip.extractMember(*directory, entry.filename);
    if (byEntry && byEntry->size() > std::size_t{64} << 20) __builtin_trap();
    auto stream = zip.openMember(*directory, entry.filename);
    if (!stream) {
      if (byName || byName.error() != stream.error()) std::abort();
      continue;
    }
    const auto inPieces = readInPieces(*stream);
    if (inPieces && (!byName || *inPieces != *byName)) std::abort();
  }
  return 0;
}
