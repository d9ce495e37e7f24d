#include "app/ReadUnconverted.h"

#include "app/FileIO.h"
#include "app/FileNames.h"
#include "app/ImportFile.h"
#include "formats/FormatRegistry.h"
#include "import/SequenceColumn.h"

namespace tamsel {

Expected<ReadResult, std::string> readUnconverted(const std::filesystem::path& path, std::uint32_t storedColumns,
                                                  const SheetChoice& sheet) {
  auto bytes = readWholeFile(path);
  if (!bytes) return unexpected(std::string(kReadFailurePrefix) + bytes.error());
  return readUnconverted(*bytes, lowercasedExtension(path), storedColumns, sheet);
}

Expected<ReadResult, std::string> readUnconverted(ByteView bytes, std::string_view extension,
                                                  std::uint32_t storedColumns, const SheetChoice& sheet) {
  auto result = formatReading(extension).read(bytes, ReadOptions{extension, storedColumns, sheet});
  if (!result) return unexpected(std::string(kReadFailurePrefix) + result.error().message);
  return std::move(*result);
}

SheetRequest SheetRequest::parse(std::string_view text) {
  if (text == "all") return all();
  const bool number =
      !text.empty() && text.size() < 10 && text.find_first_not_of("0123456789") == std::string_view::npos;
  if (number) return one(SheetChoice::byNumber(std::stoul(std::string(text))));
  return one(SheetChoice::byName(std::string(text)));
}

Expected<std::vector<ReadResult>, std::string> readSheets(ByteView bytes, std::string_view extension,
                                                          std::uint32_t storedColumns, const SheetRequest& request) {
  const bool one = request.kind == SheetRequest::Kind::one;
  auto first = readUnconverted(bytes, extension, storedColumns,
                               one ? request.sheet : SheetChoice::firstWithSequences(hasSequenceColumn));
  if (!first) return unexpected(first.error());
  std::vector<ReadResult> sheets;
  sheets.push_back(std::move(*first));
  const auto* cells = std::get_if<CellsRead>(&sheets.front());
  if (request.kind != SheetRequest::Kind::all || !cells || !hasSequenceColumn(cells->rows)) return sheets;
  // The default choice found the first sheet with sequences; the later ones follow.
  const std::size_t count = cells->sheetNames.size();
  for (std::size_t index = cells->sheetIndex + 1; index < count; ++index) {
    auto sheet = readUnconverted(bytes, extension, storedColumns, SheetChoice::byNumber(index + 1));
    if (!sheet) return unexpected(sheet.error());
    if (hasSequenceColumn(std::get<CellsRead>(*sheet).rows)) sheets.push_back(std::move(*sheet));
  }
  return sheets;
}

}  // namespace tamsel
