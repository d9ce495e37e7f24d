#include <iostream>

#include "cli/Command.h"
#include "cli/Input.h"
#include "cli/JsonOutput.h"

namespace tamsel::cli {
namespace {

class RowsCommand : public Command {
 public:
  CommandHelp help() const override {
    return {"rows",
            "rows FILE\nrows --from FORMAT -",
            "Print the cells a file's reader produces, before any primer conversion",
            "Reads FILE with the reader its extension chooses and prints the cells as "
            "{\"rows\":[[\"cell\",...],...]}: text after splitting, a workbook's first worksheet, and for .nsub "
            "one row per primer of selected (1 or 0), name, sequence and comment. Nothing is converted or checked.",
            {inputArgumentHelp()},
            {fromOptionHelp()},
            {{"rows sheet.xls", "Print the cells of a workbook's first worksheet."},
             {"rows --from tsv - < list.txt", "Print the cells of tab-separated text from standard input."}}};
  }

  void declare(CLI::App& command) override { declareInput(command, input_); }

  int run(const CLI::App&) override {
    if (std::optional<std::string> problem = inputProblem(input_)) return usageError(*problem);
    auto rows = readInputRows(input_);
    if (!rows) {
      std::cerr << rows.error() << '\n';
      return kExitFailure;
    }
    writeRowsJson(std::cout, *rows);
    return kExitSuccess;
  }

 private:
  Input input_;
};

}  // namespace

std::unique_ptr<Command> makeRowsCommand() { return std::make_unique<RowsCommand>(); }

}  // namespace tamsel::cli
