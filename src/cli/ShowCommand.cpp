#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/Command.h"
#include "cli/Input.h"
#include "cli/JsonOutput.h"
#include "cli/PrimerTable.h"

namespace tamsel::cli {
namespace {

class ShowCommand : public Command {
 public:
  CommandHelp help() const override {
    return {"show",
            "show [--json] FILE\nshow [--json] --from FORMAT -",
            "Print a file's primers as a table, or as JSON",
            "Imports FILE as the desktop window does and prints its primers: a table headed by the list's name "
            "and its two .nsub settings, or one JSON document. The settings are 2 and 3 unless FILE is .nsub.",
            {inputArgumentHelp()},
            {{"--json", "",
              "Print one JSON document: {\"defaultMismatches\":N,\"endMatches\":N,\"primers\":[{\"selected\":B,\"name\":S,"
              "\"sequence\":S,\"comment\":S},...]}.",
              {}},
             fromOptionHelp()},
            {{"show primers.xlsx", "Print the primers of a workbook as a table."},
             {"show --json --from csv - < order.csv", "Print comma-separated text from standard input as JSON."}}};
  }

  void declare(CLI::App& command) override {
    declareInput(command, input_);
    command.add_flag("--json", json_);
  }

  int run(const CLI::App&) override {
    if (std::optional<std::string> problem = inputProblem(input_)) return usageError(*problem);
    const ImportOutcome outcome = importInput(input_);
    if (!outcome.succeeded()) {
      std::cerr << *outcome.error << '\n';
      return kExitFailure;
    }
    const ListSettings settings = outcome.settings.value_or(ListSettings{});
    if (json_) {
      writePrimersJson(std::cout, *outcome.primers, settings.defaultMismatches, settings.endMatches);
    } else {
      writePrimerTable(std::cout, outcome.fileBaseName, *outcome.primers, settings.defaultMismatches,
                       settings.endMatches);
    }
    return kExitSuccess;
  }

 private:
  Input input_;
  bool json_ = false;
};

}  // namespace

std::unique_ptr<Command> makeShowCommand() { return std::make_unique<ShowCommand>(); }

}  // namespace tamsel::cli
