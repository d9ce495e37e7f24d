#pragma once

// The commands of tamsel-cli. Each returns the process's exit code: 0 on
// success, 1 when a file could not be read or written.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tamsel::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct SettingsOverride {
  std::optional<int> defaultMismatches;
  std::optional<int> endMatches;
};

// Imports `file` as the window does and prints its primers: a table, or JSON.
int showFile(const std::filesystem::path& file, bool json);

// Imports `input` and exports it to `output`, the writer chosen by the
// output's extension.
int convertFile(const std::filesystem::path& input, const std::filesystem::path& output,
                const SettingsOverride& settings);

// Converts each input to `extension`, next to it or into `outDirectory`;
// reports every failure and goes on.
int convertFiles(const std::vector<std::filesystem::path>& inputs, const std::string& extension,
                 const std::optional<std::filesystem::path>& outDirectory, const SettingsOverride& settings);

// Prints the row table the file's reader produces, as {"rows":[[...],...]}.
int printRows(const std::filesystem::path& file);

}  // namespace tamsel::cli
