// Parses any bytes as an .ods workbook, reading the first sheet with a
// sequence column and then the second sheet by number. Bytes that are not a
// ZIP archive are packed as its content.xml first, so that most inputs reach
// the content parser rather than stopping at the container.

#include <cstddef>
#include <cstdint>

#include "FuzzRows.h"
#include "formats/ods/ODSParser.h"
#include "formats/zip/ZIPWriter.h"
#include "import/SequenceColumn.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tamsel;
  ByteView input(data, size);
  Bytes packed;
  if (size < 2 || data[0] != 'P' || data[1] != 'K') {
    MemorySink archive;
    zip::ZIPWriter writer(archive);
    writer.addMember("content.xml", input);
    std::move(writer).finish();
    packed = std::move(archive).bytes();
    input = packed;
  }
  for (const SheetChoice& choice : {SheetChoice::firstWithSequences(hasSequenceColumn), SheetChoice::byNumber(2)}) {
    const auto sheet = ODSParser::parseSheet(input, choice);
    if (sheet) fuzz::visitRows(sheet->rows);
  }
  return 0;
}
