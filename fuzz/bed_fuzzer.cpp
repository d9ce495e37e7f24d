// Reads any bytes as a BED primer scheme.

#include "FuzzRows.h"
#include "formats/bed/BEDParser.h"
#include "formats/text/TextDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = tamsel::decodeText(tamsel::ByteView(data, size));
  if (!text) return 0;
  const auto primers = tamsel::BEDParser::parse(*text);
  if (primers) tamsel::fuzz::visitPrimers(*primers);
  return 0;
}
