#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/Command.h"
#include "cli/Input.h"
#include "cli/JsonOutput.h"
#include "cli/PrimerTable.h"
#include "cli/PropertiesJson.h"
#include "model/ListChecks.h"

namespace tamsel::cli {
namespace {

class CheckCommand : public Command {
 public:
  CommandHelp help() const override {
    return {"check",
            "check [--json] FILE...\ncheck [--json] --from FORMAT -",
            "Check primer lists for bad or duplicate names and sequences and broken pairs",
            "Imports each FILE as the desktop window does and prints one line per finding, \"file:row: message\", "
            "rows counted from 1: empty, duplicate and over-long names (more than 127 bytes, cut in .nsub); empty, "
            "over-long (more than 128 characters), non-IUPAC, duplicate and reverse-complement duplicate sequences "
            "(compared without case, U as T); forward or reverse primers, named by a marker at the end (_F/_R, "
            "-fwd/-rev, _FW/_RV, _LEFT/_RIGHT, or F/R after a digit), without a partner of the same stem; and "
            "partners whose Tm differs by more than 5 degrees C (" +
                describeTm({}) +
                "). The exit status is 0 when there is no finding and 1 when there are findings or a file "
                "cannot be read, so a pipeline can stop on it.",
            {{"FILE", "", "The primer files, or - for standard input (with --from).", {}}},
            {{"--json", "",
              "Print {\"findings\":[{\"file\":S,\"row\":N,\"kind\":S,\"message\":S,\"otherRow\":N},...]}; "
              "otherRow is the earlier duplicate or the partner, where there is one.",
              {}},
             fromOptionHelp()},
            {{"check order.csv && tamsel-cli convert order.csv order.nsub",
              "Convert the list only when the check finds nothing."},
             {"check --json *.xlsx", "Print the findings of several workbooks as JSON."}}};
  }

  void declare(CLI::App& command) override {
    command.add_option("FILE", files_)->required();
    declareFrom(command, from_);
    command.add_flag("--json", json_);
  }

  int run(const CLI::App&) override {
    for (const std::string& file : files_) {
      if (std::optional<std::string> problem = inputProblem({file, from_.from, {}})) return usageError(*problem);
    }
    bool clean = true;
    if (json_) std::cout << "{\"findings\":[";
    for (const std::string& file : files_) clean = checkFile({file, from_.from, {}}) && clean;
    if (json_) std::cout << "]}\n";
    return clean ? kExitSuccess : kExitFailure;
  }

 private:
  // Prints the file's findings; true when there is none.
  bool checkFile(const Input& input) {
    const ImportOutcome outcome = importInput(input);
    if (!outcome.succeeded()) {
      std::cerr << input.file << ": " << *outcome.error << '\n';
      return false;
    }
    const std::vector<ListFinding> findings = checkPrimerList(*outcome.primers);
    for (const ListFinding& finding : findings) {
      if (json_) {
        std::cout << (firstFinding_ ? "" : ",") << compactJson(findingJson(input.file, finding));
      } else {
        std::cout << printableText(input.file) << ':' << finding.row + 1 << ": " << printableText(finding.message)
                  << '\n';
      }
      firstFinding_ = false;
    }
    return findings.empty();
  }

  std::vector<std::string> files_;
  Input from_;  // only its --from
  bool json_ = false;
  bool firstFinding_ = true;
};

}  // namespace

std::unique_ptr<Command> makeCheckCommand() { return std::make_unique<CheckCommand>(); }

}  // namespace tamsel::cli
