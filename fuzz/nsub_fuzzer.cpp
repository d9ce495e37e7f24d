// Reads any bytes as a .nsub primer file.

#include <cstddef>
#include <cstdint>

#include "FuzzRows.h"
#include "formats/nsub/NSubParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto contents = tamsel::NSubParser::parse(tamsel::ByteView(data, size));
  if (!contents) return 0;
  if (contents->settings->defaultMismatches < 0 || contents->settings->defaultMismatches > 255) __builtin_trap();
  if (contents->settings->endMatches < 0 || contents->settings->endMatches > 255) __builtin_trap();
  tamsel::fuzz::visitPrimers(contents->primers);
  return 0;
}
