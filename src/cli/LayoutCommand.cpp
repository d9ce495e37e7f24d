#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/Command.h"
#include "cli/Input.h"
#include "cli/JsonOutput.h"

namespace tamsel::cli {
namespace {

class LayoutCommand : public Command {
 public:
  CommandHelp help() const override {
    return {"layout",
            "layout [--json] [--sheet SHEET] FILE\nlayout [--json] --from FORMAT -",
            "Print how a file's table was read: header row, column roles, ignored columns",
            "Imports FILE as the desktop window does and prints how its cells became primers: the worksheet "
            "(when the reader names one), the header row or \"none\", each column's letter, role and header "
            "text, the ignored columns and the rows skipped above the header. Rows count from 1, as the reader "
            "gives them. A primer file (.nsub) has no table. When the import then fails, the layout is still "
            "printed and the message goes to standard error.",
            {inputArgumentHelp()},
            {{"--json",
              "",
              "Print {\"reading\":\"plain\"|\"header\"|\"content\"|\"primers\",\"sheet\":S|null,\"headerRow\":N|"
              "null,\"skippedRows\":[N,...],\"columns\":[{\"column\":S,\"header\":S,\"role\":S},...],"
              "\"ignoredColumns\":[S,...],\"primersPerRow\":1|2}.",
              {}},
             fromOptionHelp(), sheetOptionHelp()},
            {{"layout order.xlsx", "Show which columns of a vendor's order sheet gave the names and sequences."},
             {"layout --json panel.csv", "The same as JSON."}}};
  }

  void declare(CLI::App& command) override {
    declareInput(command, input_);
    declareSheet(command, input_);
    command.add_flag("--json", json_);
  }

  int run(const CLI::App&) override {
    if (std::optional<std::string> problem = inputProblem(input_)) return usageError(*problem);
    const ImportOutcome outcome = importInput(input_);
    // A file that could not be read or converted has no layout to show.
    const bool read = outcome.succeeded() || outcome.layout || outcome.settings;
    if (read && json_) {
      writeLayoutJson(std::cout, outcome.layout);
    } else if (read) {
      std::cout << (outcome.layout ? describeLayoutInDetail(*outcome.layout)
                                   : std::string("Read by: primer file (no table)\n"));
    }
    if (!outcome.succeeded()) {
      std::cerr << *outcome.error << '\n';
      return kExitFailure;
    }
    return kExitSuccess;
  }

 private:
  Input input_;
  bool json_ = false;
};

}  // namespace

std::unique_ptr<Command> makeLayoutCommand() { return std::make_unique<LayoutCommand>(); }

}  // namespace tamsel::cli
