#include <CLI/CLI.hpp>
#include <unistd.h>

#include <iostream>
#include <set>
#include <system_error>

#include "app/ExportPrimers.h"
#include "app/FileIO.h"
#include "app/FileNames.h"
#include "cli/Command.h"
#include "cli/FormatNames.h"
#include "cli/Input.h"

namespace tamsel::cli {
namespace {

struct SettingsOverride {
  std::optional<int> defaultMismatches;
  std::optional<int> endMatches;
};

// Where the primers go: a file, whose extension chooses the writer, or
// standard output in the format `format`.
struct Output {
  std::filesystem::path file;
  std::string format;  // set for standard output only
};

// Imports and exports one file; the error is the message a user sees.
std::optional<std::string> convert(const Input& input, const Output& output, const SettingsOverride& override) {
  const ImportOutcome outcome = importInput(input);
  if (!outcome.succeeded()) return *outcome.error;
  const ListSettings fromFile = outcome.settings.value_or(ListSettings{});
  const int defaultMismatches = override.defaultMismatches.value_or(fromFile.defaultMismatches);
  const int endMatches = override.endMatches.value_or(fromFile.endMatches);
  if (output.format.empty()) return exportPrimers(output.file, *outcome.primers, defaultMismatches, endMatches);
  if (auto failure = writeStandardOutput(exportWriter(output.format, *outcome.primers, defaultMismatches, endMatches))) {
    return "Failed to export: " + *failure;
  }
  return std::nullopt;
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

class ConvertCommand : public Command {
 public:
  CommandHelp help() const override {
    const std::string writable = joined(writeFormatNames());
    return {"convert",
            "convert [--mismatches N] [--end-matches N] [--sheet SHEET] INPUT OUTPUT\n"
            "convert --to FORMAT [--out-dir DIR] [--mismatches N] [--end-matches N] INPUT...\n"
            "convert --from FORMAT --to FORMAT [--force] - -",
            "Convert primer files to another format",
            "Imports INPUT as the desktop window does and exports its primers to OUTPUT with the writer that "
            "OUTPUT's extension chooses (an extension other than " + writable + " is written as .nsub). "
            "With --to and no OUTPUT, each INPUT is converted to a file of that format next to it or in DIR; "
            "every failure is reported and the others go on. The two .nsub settings are INPUT's when it is "
            ".nsub, else 2 and 3.",
            {inputArgumentHelp("INPUT"),
             {"OUTPUT", "", "The file to write, or - for standard output (with --to).", {}}},
            {{"--to", "FORMAT",
              "The format to write: of standard output when OUTPUT is -, else of each INPUT's new file: " +
                  writable + ".",
              writeFormatNames()},
             fromOptionHelp(),
             sheetOptionHelp(),
             {"--out-dir", "DIR", "With --to: write the new files into DIR, which must exist (default: next to "
                                  "each INPUT).", {}},
             {"--mismatches", "N", "The default mismatch count written to .nsub, 0 to 255.", {}},
             {"--end-matches", "N", "The end-match count written to .nsub, 0 to 255.", {}},
             {"--force", "", "Write a binary format (nsub, xlsx) to standard output even when it is a terminal.",
              {}}},
            {{"convert --to xlsx --out-dir converted *.nsub", "Convert every .nsub file to a workbook in converted."},
             {"convert --from csv --to nsub - - < order.csv > order.nsub",
              "Convert comma-separated text in a pipeline, from standard input to standard output."}}};
  }

  void declare(CLI::App& command) override {
    command.add_option("FILES", files_)->required();
    declareFrom(command, input_);
    declareSheet(command, input_);
    to_ = command.add_option("--to", format_)->check(CLI::IsMember(writeFormatNames()));
    outDir_ = command.add_option("--out-dir", outDirectory_)->check(CLI::ExistingDirectory);
    mismatches_ = command.add_option("--mismatches", mismatchCount_)->check(CLI::Range(0, 255));
    endMatches_ = command.add_option("--end-matches", endMatchCount_)->check(CLI::Range(0, 255));
    command.add_flag("--force", force_);
  }

  int run(const CLI::App&) override {
    SettingsOverride settings;
    if (mismatches_->count()) settings.defaultMismatches = mismatchCount_;
    if (endMatches_->count()) settings.endMatches = endMatchCount_;
    const bool standardStream =
        std::find(files_.begin(), files_.end(), std::string(kStandardStream)) != files_.end();
    // With --to and named files, every file is an INPUT; a "-" makes it INPUT and OUTPUT.
    if (to_->count() && !(files_.size() == 2 && standardStream)) {
      if (standardStream) return usageError("- converts with one OUTPUT: convert --from FORMAT --to FORMAT - OUTPUT");
      if (!input_.from.empty()) return usageError("--from names the format of standard input (-), not an INPUT's");
      std::optional<std::filesystem::path> outDirectory;
      if (outDir_->count()) outDirectory = outDirectory_;
      return convertEach(outDirectory, settings);
    }
    if (outDir_->count()) return usageError("--out-dir needs --to FORMAT and INPUT..., not OUTPUT");
    if (files_.size() != 2) return usageError("convert needs INPUT and OUTPUT, or --to FORMAT INPUT...");
    input_.file = files_[0];
    if (std::optional<std::string> problem = inputProblem(input_, "INPUT")) return usageError(*problem);
    Output output{files_[1], {}};
    if (files_[1] == kStandardStream) {
      if (!to_->count()) {
        return usageError("writing standard output (-) needs --to FORMAT to name its format (" +
                          joined(writeFormatNames()) + ")");
      }
      if (isBinaryFormat(format_) && ::isatty(STDOUT_FILENO) && !force_) {
        return usageError(format_ + " is a binary format: not written to a terminal; redirect standard output "
                                    "or add --force");
      }
      output.format = format_;
    } else if (to_->count() && lowercasedExtension(output.file) != format_) {
      return usageError("--to " + format_ + " names the format of standard output (-); the extension of "
                        "OUTPUT names its format");
    }
    if (std::optional<std::string> failure = convert(input_, output, settings)) {
      std::cerr << *failure << '\n';
      return kExitFailure;
    }
    return kExitSuccess;
  }

 private:
  // Converts each INPUT to `format_`, next to it or into `outDirectory`;
  // reports every failure and goes on.
  int convertEach(const std::optional<std::filesystem::path>& outDirectory, const SettingsOverride& settings) {
    int failures = 0;
    std::set<std::filesystem::path> written;
    for (const std::string& file : files_) {
      const std::filesystem::path input = file;
      const std::filesystem::path output =
          outDirectory ? *outDirectory / (baseName(input) + "." + format_) : withExtension(input, format_);
      std::optional<std::string> failure;
      if (sameFile(input, output)) {
        failure = "Not converted: the output " + output.string() + " would replace the input itself.";
      } else if (written.count(output.lexically_normal())) {
        failure = "Not converted: " + output.string() + " was already written from another input.";
      } else {
        failure = convert({file, {}, input_.sheet}, {output, {}}, settings);
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

  std::vector<std::string> files_;
  Input input_;
  std::string format_;
  std::string outDirectory_;
  int mismatchCount_ = 0;
  int endMatchCount_ = 0;
  bool force_ = false;
  CLI::Option* to_ = nullptr;
  CLI::Option* outDir_ = nullptr;
  CLI::Option* mismatches_ = nullptr;
  CLI::Option* endMatches_ = nullptr;
};

}  // namespace

std::unique_ptr<Command> makeConvertCommand() { return std::make_unique<ConvertCommand>(); }

}  // namespace tamsel::cli
