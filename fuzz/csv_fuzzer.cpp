// Reads any bytes as a .csv file: comma-separated, or semicolon-separated when
// the first record says so.

#include "FuzzText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tamsel::fuzz::importText(data, size, "csv");
}
