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
            "Print what a file's reader produces, before any conversion to primers",
            "Reads FILE with the reader its extension chooses and prints the cells as "
            "{\"rows\":[[\"cell\",...],...]}: text after splitting, a workbook's first worksheet. A primer file "
            "(.nsub) has no cells: its primers and settings are printed as show --json prints them. Nothing is "
            "converted or checked.",
            {inputArgumentHelp()},
            {fromOptionHelp()},
            {{"rows sheet.xls", "Print the cells of a workbook's first worksheet."},
             {"rows --from tsv - < list.txt", "Print the cells of tab-separated text from standard input."}}};
  }

  void declare(CLI::App& command) override { declareInput(command, input_); }

  int run(const CLI::App&) override {
    if (std::optional<std::string> problem = inputProblem(input_)) return usageError(*problem);
    auto read = readInputUnconverted(input_);
    if (!read) {
      std::cerr << read.error() << '\n';
      return kExitFailure;
    }
    if (const auto* cells = std::get_if<CellsRead>(&*read)) {
      writeRowsJson(std::cout, cells->rows);
    } else {
      const auto& primers = std::get<PrimersRead>(*read);
      const ListSettings settings = primers.settings.value_or(ListSettings{});
      writePrimersJson(std::cout, primers.primers, settings.defaultMismatches, settings.endMatches);
    }
    return kExitSuccess;
  }

 private:
  Input input_;
};

}  // namespace

std::unique_ptr<Command> makeRowsCommand() { return std::make_unique<RowsCommand>(); }

}  // namespace tamsel::cli
