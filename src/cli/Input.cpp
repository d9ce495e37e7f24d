#include "cli/Input.h"

#include <CLI/CLI.hpp>

#include "app/FileIO.h"
#include "app/ReadUnconverted.h"
#include "cli/FormatNames.h"

namespace tamsel::cli {

void declareInput(CLI::App& command, Input& input) {
  command.add_option("FILE", input.file)->required();
  declareFrom(command, input);
}

void declareFrom(CLI::App& command, Input& input) {
  command.add_option("--from", input.from)->check(CLI::IsMember(readFormatNames()));
}

OptionHelp inputArgumentHelp(const std::string& what) {
  return {what, "", "The primer file, or - for standard input (with --from).", {}};
}

OptionHelp fromOptionHelp() {
  return {"--from", "FORMAT",
          "The format of standard input, which has no extension to choose the reader: " +
              joined(readFormatNames()) + ".",
          readFormatNames()};
}

std::optional<std::string> inputProblem(const Input& input, const std::string& what) {
  const bool standardInput = input.file == kStandardStream;
  if (standardInput && input.from.empty()) {
    return "reading standard input (-) needs --from FORMAT to name its format (" + joined(readFormatNames()) + ")";
  }
  if (!standardInput && !input.from.empty()) {
    return "--from names the format of standard input (-); the extension of " + what + " names its format";
  }
  return std::nullopt;
}

namespace {

constexpr std::string_view kStandardInputName = "standard input";

}  // namespace

ImportOutcome importInput(const Input& input) {
  if (input.file != kStandardStream) return importFile(input.file);
  auto bytes = readStandardInput();
  if (!bytes) {
    ImportOutcome outcome;
    outcome.error = std::string(kReadFailurePrefix) + bytes.error();
    return outcome;
  }
  return importBytes(*bytes, input.from, std::string(kStandardInputName));
}

Expected<ReadResult, std::string> readInputUnconverted(const Input& input) {
  if (input.file != kStandardStream) return readUnconverted(input.file);
  auto bytes = readStandardInput();
  if (!bytes) return unexpected(std::string(kReadFailurePrefix) + bytes.error());
  return readUnconverted(*bytes, input.from);
}

}  // namespace tamsel::cli
