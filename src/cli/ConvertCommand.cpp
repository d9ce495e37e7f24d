#include <iostream>
#include <set>
#include <system_error>

#include "app/ExportPrimers.h"
#include "app/FileNames.h"
#include "app/ImportFile.h"
#include "cli/Commands.h"

namespace tamsel::cli {
namespace {

// Imports and exports one file; the error is the message a user sees.
std::optional<std::string> convert(const std::filesystem::path& input, const std::filesystem::path& output,
                                   const SettingsOverride& override) {
  const ImportOutcome outcome = importFile(input);
  if (!outcome.succeeded()) return *outcome.error;
  const ListSettings fromFile = outcome.settings.value_or(ListSettings{});
  return exportPrimers(output, *outcome.primers, override.defaultMismatches.value_or(fromFile.defaultMismatches),
                       override.endMatches.value_or(fromFile.endMatches));
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

}  // namespace

int convertFile(const std::filesystem::path& input, const std::filesystem::path& output,
                const SettingsOverride& settings) {
  if (std::optional<std::string> failure = convert(input, output, settings)) {
    std::cerr << *failure << '\n';
    return kExitFailure;
  }
  return kExitSuccess;
}

int convertFiles(const std::vector<std::filesystem::path>& inputs, const std::string& extension,
                 const std::optional<std::filesystem::path>& outDirectory, const SettingsOverride& settings) {
  int failures = 0;
  std::set<std::filesystem::path> written;
  for (const std::filesystem::path& input : inputs) {
    const std::filesystem::path output =
        outDirectory ? *outDirectory / (baseName(input) + "." + extension) : withExtension(input, extension);
    std::optional<std::string> failure;
    if (sameFile(input, output)) {
      failure = "Not converted: the output " + output.string() + " would replace the input itself.";
    } else if (written.count(output.lexically_normal())) {
      failure = "Not converted: " + output.string() + " was already written from another input.";
    } else {
      failure = convert(input, output, settings);
    }
    if (failure) {
      std::cerr << input.string() << ": " << *failure << '\n';
      ++failures;
    } else {
      written.insert(output.lexically_normal());
      std::cout << input.string() << " -> " << output.string() << '\n';
    }
  }
  return failures == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace tamsel::cli
