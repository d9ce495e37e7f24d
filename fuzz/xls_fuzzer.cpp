// Feeds arbitrary bytes to the .xls reader: it must return rows or an error,
// never crash, hang or run out of memory.

#include <cstddef>
#include <cstdint>

#include "formats/xls/XLSParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto result = tamsel::XLSParser::parse(tamsel::ByteView(data, size));
  (void)result;
  return 0;
}
