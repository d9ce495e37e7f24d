// Reads any bytes as a tab-separated file (.tsv, .txt and every other
// extension the dispatcher sends to the text reader).

#include "FuzzText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tamsel::fuzz::importText(data, size, "tsv");
}
