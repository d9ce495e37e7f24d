#pragma once

// The input of a command: a file, whose extension chooses the reader, or "-"
// for standard input, whose reader --from names.

#include <optional>
#include <string>

#include "app/ImportFile.h"
#include "cli/Command.h"
#include "model/Expected.h"
#include "formats/ReadResult.h"

namespace tamsel::cli {

inline constexpr std::string_view kStandardStream = "-";

struct Input {
  std::string file;
  std::string from;   // set only with --from
  std::string sheet;  // set only with --sheet
};

// Declares FILE (required) and --from on `command`.
void declareInput(CLI::App& command, Input& input);
void declareFrom(CLI::App& command, Input& input);
OptionHelp inputArgumentHelp(const std::string& what = "FILE");
OptionHelp fromOptionHelp();
// --sheet NAME|NUMBER|all, for workbooks.
void declareSheet(CLI::App& command, Input& input);
OptionHelp sheetOptionHelp();

// `what` names the argument: "FILE", "INPUT".
// A usage problem of the pair: "-" without --from, or --from with a file.
std::optional<std::string> inputProblem(const Input& input, const std::string& what = "FILE");

// The import, or what the reader produced, from the file or from standard
// input; errors as the window words them ("Failed to read file: ...").
ImportOutcome importInput(const Input& input);
// With --sheet all, every worksheet with a sequence column; else one result.
Expected<std::vector<ReadResult>, std::string> readInputUnconverted(const Input& input);

}  // namespace tamsel::cli
