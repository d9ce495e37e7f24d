// Opens any bytes as a ZIP archive and extracts every member, by entry and by
// name, with a small member limit so that large outputs stay cheap.

#include <cstddef>
#include <cstdint>

#include "formats/zip/ZIPReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tamsel::zip::ZIPReader zip(tamsel::ByteView(data, size), std::int64_t{64} << 20);
  const auto directory = zip.readCentralDirectory();
  if (!directory) return 0;
  for (const auto& entry : *directory) {
    const auto byEntry = zip.extract(entry);
    const auto byName = zip.extractMember(*directory, entry.filename);
    if (byEntry && byEntry->size() > std::size_t{64} << 20) __builtin_trap();
    (void)byName;
  }
  return 0;
}
