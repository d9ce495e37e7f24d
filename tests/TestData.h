#pragma once

// The bytes of a file under tests/data, empty when it cannot be read.

#include <fstream>
#include <iterator>
#include <string>

#include "model/Bytes.h"

namespace tamsel::testing {

inline Bytes testData(const std::string& path) {
  std::ifstream in(std::string(TAMSEL_TEST_DATA_DIR) + "/" + path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tamsel::testing
