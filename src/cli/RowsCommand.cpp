#include <iostream>

#include "app/ReadRowTable.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"

namespace tamsel::cli {

int printRows(const std::filesystem::path& file) {
  auto rows = readRowTable(file);
  if (!rows) {
    std::cerr << rows.error() << '\n';
    return kExitFailure;
  }
  writeRowsJson(std::cout, *rows);
  return kExitSuccess;
}

}  // namespace tamsel::cli
