#include "cli/Input.h"

#include <CLI/CLI.hpp>

#include "app/FileIO.h"
#include "app/FileNames.h"
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

void declareSheet(CLI::App& command, Input& input) { command.add_option("--sheet", input.sheet); }

OptionHelp sheetOptionHelp() {
  return {"--sheet",
          "SHEET",
          "The worksheet of a workbook (.xls, .xlsx, .ods) to read: its name, its number (from 1, in the "
          "workbook's order), or all for every worksheet with a sequence column, their primers in sheet order. "
          "Without it, the first worksheet with a sequence column is read (the first worksheet when none has one).",
          {}};
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

SheetRequest sheetRequestOf(const Input& input) {
  return input.sheet.empty() ? SheetRequest() : SheetRequest::parse(input.sheet);
}

}  // namespace

ImportOutcome importInput(const Input& input) {
  if (input.file != kStandardStream) return importFile(input.file, sheetRequestOf(input));
  auto bytes = readStandardInput();
  if (!bytes) {
    ImportOutcome outcome;
    outcome.error = std::string(kReadFailurePrefix) + bytes.error();
    return outcome;
  }
  return importBytes(*bytes, input.from, std::string(kStandardInputName), sheetRequestOf(input));
}

// Without --sheet, a workbook's first worksheet: the cells as the reader
// gives them, before the import chooses among the sheets.
Expected<std::vector<ReadResult>, std::string> readInputUnconverted(const Input& input) {
  auto bytes = input.file != kStandardStream ? readWholeFile(input.file) : readStandardInput();
  if (!bytes) return unexpected(std::string(kReadFailurePrefix) + bytes.error());
  const std::string extension = input.file != kStandardStream ? lowercasedExtension(input.file) : input.from;
  const SheetRequest request = input.sheet.empty() ? SheetRequest::one(SheetChoice()) : sheetRequestOf(input);
  return readSheets(*bytes, extension, std::numeric_limits<std::uint32_t>::max(), request);
}

}  // namespace tamsel::cli
