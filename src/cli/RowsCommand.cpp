#include <iostream>

#include "cli/Command.h"
#include "cli/Input.h"
#include "cli/JsonOutput.h"

namespace tamsel::cli {
namespace {

// The rows of several worksheets, one after another, each row as wide as it was.
RowTable joinedRows(const std::vector<ReadResult>& sheets) {
  RowTable joined;
  for (const ReadResult& sheet : sheets) {
    const RowTable& rows = std::get<CellsRead>(sheet).rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const RowTable::RowView row = rows.row(i);
      joined.addRow();
      for (const RowTable::Cell& cell : row.cells()) joined.setCell(cell.column, row.text(cell));
      joined.setRowWidth(joined.size() - 1, row.width());
    }
  }
  return joined;
}

class RowsCommand : public Command {
 public:
  CommandHelp help() const override {
    return {"rows",
            "rows [--sheet SHEET] FILE\nrows [--sheet SHEET] --from FORMAT -",
            "Print what a file's reader produces, before any conversion to primers",
            "Reads FILE with the reader its extension chooses and prints the cells as "
            "{\"rows\":[[\"cell\",...],...]}: text after splitting, a workbook's first worksheet (or the one "
            "--sheet names; with --sheet all the rows of each worksheet with a sequence column, one after "
            "another). A primer file "
            "(.nsub) has no cells: its primers and settings are printed as show --json prints them. Nothing is "
            "converted or checked.",
            {inputArgumentHelp()},
            {fromOptionHelp(), sheetOptionHelp()},
            {{"rows --sheet 2 sheet.ods", "Print the cells of a workbook's second worksheet."},
             {"rows --from tsv - < list.txt", "Print the cells of tab-separated text from standard input."}}};
  }

  void declare(CLI::App& command) override {
    declareInput(command, input_);
    declareSheet(command, input_);
  }

  int run(const CLI::App&) override {
    if (std::optional<std::string> problem = inputProblem(input_)) return usageError(*problem);
    auto read = readInputUnconverted(input_);
    if (!read) {
      std::cerr << read.error() << '\n';
      return kExitFailure;
    }
    if (std::holds_alternative<CellsRead>(read->front())) {
      writeRowsJson(std::cout, read->size() == 1 ? std::get<CellsRead>(read->front()).rows : joinedRows(*read));
    } else {
      const auto& primers = std::get<PrimersRead>(read->front());
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
