// Feeds any bytes to the shared-string handler as a whole XML part.

#include <cstddef>
#include <cstdint>

#include "formats/xlsx/SharedStringsParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tamsel::xlsx::SharedStringsParser handler;
  tamsel::xml::parseXML(tamsel::ByteView(data, size), handler);
  const tamsel::xlsx::SharedStringTable& strings = handler.strings();
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < strings.size(); ++i) bytes += strings[i].size();
  return bytes == SIZE_MAX ? 1 : 0;
}
