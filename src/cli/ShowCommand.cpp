#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/Command.h"
#include "cli/Input.h"
#include "cli/JsonOutput.h"
#include "cli/PrimerTable.h"
#include "model/MeltingTemperature.h"

namespace tamsel::cli {
namespace {

class ShowCommand : public Command {
 public:
  CommandHelp help() const override {
    return {"show",
            "show [--json] [--properties] [--sheet SHEET] FILE\nshow [--json] [--properties] --from FORMAT -",
            "Print a file's primers as a table, or as JSON",
            "Imports FILE as the desktop window does and prints its primers: a table headed by the list's name "
            "and its two .nsub settings, or one JSON document. The settings are 2 and 3 unless FILE is .nsub. A "
            "table not read with the plain layout ([Selected,] Name, Sequence, Comment) is preceded by one line "
            "saying how it was read (see layout).",
            {inputArgumentHelp()},
            {{"--json", "",
              "Print one JSON document: {\"defaultMismatches\":N,\"endMatches\":N,\"primers\":[{\"selected\":B,\"name\":S,"
              "\"sequence\":S,\"comment\":S},...]}.",
              {}},
             {"--properties", "",
              "Add each primer's length, GC content and Tm: the columns Len, GC% and Tm after the sequence "
              "(a min-max range for degenerate letters), or in JSON a \"properties\" object after the settings "
              "naming the Tm method and conditions and one with each primer: {\"length\":N,\"gcPercent\":"
              "{\"min\":N,\"max\":N},\"tm\":{\"min\":N,\"max\":N}|null,\"tmNotComputed\":S}. " +
                  describeTm({}) + "; 8 to 60 letters, at most 256 expansions of degenerate letters.",
              {}},
             fromOptionHelp(), sheetOptionHelp()},
            {{"show --sheet all panel.ods", "Print the primers of every worksheet that has a sequence column."},
             {"show --json --from csv - < order.csv", "Print comma-separated text from standard input as JSON."}}};
  }

  void declare(CLI::App& command) override {
    declareInput(command, input_);
    declareSheet(command, input_);
    command.add_flag("--json", json_);
    command.add_flag("--properties", properties_);
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
      writePrimersJson(std::cout, *outcome.primers, settings.defaultMismatches, settings.endMatches, properties_);
    } else {
      // A table not read with the plain layout says how it was read.
      if (outcome.layout && outcome.layout->reading != TableLayout::Reading::plain) {
        std::cout << describeLayout(*outcome.layout) << '\n';
      }
      writePrimerTable(std::cout, outcome.fileBaseName, *outcome.primers, settings.defaultMismatches,
                       settings.endMatches, properties_);
    }
    return kExitSuccess;
  }

 private:
  Input input_;
  bool json_ = false;
  bool properties_ = false;
};

}  // namespace

std::unique_ptr<Command> makeShowCommand() { return std::make_unique<ShowCommand>(); }

}  // namespace tamsel::cli
