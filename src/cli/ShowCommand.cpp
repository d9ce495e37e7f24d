#include <iostream>

#include "app/ImportFile.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/PrimerTable.h"

namespace tamsel::cli {

int showFile(const std::filesystem::path& file, bool json) {
  const ImportOutcome outcome = importFile(file);
  if (!outcome.succeeded()) {
    std::cerr << *outcome.error << '\n';
    return kExitFailure;
  }
  const ListSettings settings = outcome.settings.value_or(ListSettings{});
  if (json) {
    writePrimersJson(std::cout, *outcome.primers, settings.defaultMismatches, settings.endMatches);
  } else {
    writePrimerTable(std::cout, outcome.fileBaseName, *outcome.primers, settings.defaultMismatches,
                     settings.endMatches);
  }
  return kExitSuccess;
}

}  // namespace tamsel::cli
