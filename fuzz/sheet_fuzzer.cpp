// Feeds any bytes to the worksheet handler as a whole XML part, with a small
// shared-string table so that cells of type "s" resolve (or fall outside it).

#include <cstddef>
#include <cstdint>

#include "FuzzRows.h"
#include "formats/xlsx/SheetParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tamsel::xlsx::SharedStringTable strings;
  for (const char* text : {"Name", "Sequence", "", "ACGT", "P1"}) strings.add(text);
  tamsel::xlsx::SheetParser handler(std::move(strings));
  tamsel::xml::parseXML(tamsel::ByteView(data, size), handler);
  tamsel::fuzz::visitRows(handler.rows());
  return 0;
}
