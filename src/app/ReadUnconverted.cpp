#include "app/ReadUnconverted.h"

#include "app/FileIO.h"
#include "app/FileNames.h"
#include "app/ImportFile.h"
#include "formats/FormatRegistry.h"

namespace tamsel {

Expected<ReadResult, std::string> readUnconverted(const std::filesystem::path& path, std::uint32_t storedColumns) {
  auto bytes = readWholeFile(path);
  if (!bytes) return unexpected(std::string(kReadFailurePrefix) + bytes.error());
  return readUnconverted(*bytes, lowercasedExtension(path), storedColumns);
}

Expected<ReadResult, std::string> readUnconverted(ByteView bytes, std::string_view extension,
                                                  std::uint32_t storedColumns) {
  auto result = formatReading(extension).read(bytes, ReadOptions{extension, storedColumns});
  if (!result) return unexpected(std::string(kReadFailurePrefix) + result.error().message);
  return std::move(*result);
}

}  // namespace tamsel
