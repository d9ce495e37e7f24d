#include "app/ReadRowTable.h"

#include "app/FileIO.h"
#include "app/FileNames.h"
#include "app/ImportFile.h"
#include "formats/nsub/NSubParser.h"
#include "formats/text/DelimitedTextReader.h"
#include "formats/text/TextDecoding.h"
#include "formats/xls/XLSParser.h"
#include "formats/xlsx/XLSXParser.h"

namespace tamsel {
namespace {

Expected<RowTable, std::string> tableOf(ByteView bytes, const std::string& extension) {
  if (extension == "nsub") {
    auto contents = NSubParser::parse(bytes);
    if (!contents) return unexpected(std::string(message(contents.error())));
    RowTable table;
    for (const PrimerEntry& primer : contents->primers) {
      table.addRow();
      table.setCell(0, primer.selected ? "1" : "0");
      table.setCell(1, primer.name);
      table.setCell(2, primer.sequence);
      table.setCell(3, primer.comment);
    }
    return table;
  }
  if (extension == "xlsx" || extension == "xls") {
    auto table = extension == "xlsx" ? XLSXParser::parse(bytes) : XLSParser::parse(bytes);
    if (!table) return unexpected(table.error().message);
    return std::move(*table);
  }
  auto text = decodeText(bytes);
  if (!text) return unexpected(text.error());
  return splitDelimitedText(*text, extension);
}

}  // namespace

Expected<RowTable, std::string> readRowTable(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return unexpected(std::string(kReadFailurePrefix) + bytes.error());
  return readRowTable(*bytes, lowercasedExtension(path));
}

Expected<RowTable, std::string> readRowTable(ByteView bytes, const std::string& extension) {
  auto table = tableOf(bytes, extension);
  if (!table) return unexpected(std::string(kReadFailurePrefix) + table.error());
  return std::move(*table);
}

}  // namespace tamsel
