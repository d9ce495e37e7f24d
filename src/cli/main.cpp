// tamsel-cli: the import and export of the desktop window, from a shell.

#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/Commands.h"

namespace {

using namespace tamsel::cli;

constexpr const char* kFooter = R"(
Usage in full:
  tamsel-cli show FILE [--json]
      Import FILE as the desktop window does and print its primers as a table,
      or with --json as {"defaultMismatches":N,"endMatches":N,"primers":
      [{"selected":B,"name":S,"sequence":S,"comment":S},...]}. The settings are
      2 and 3 unless FILE is .nsub.
  tamsel-cli convert INPUT OUTPUT [--mismatches N] [--end-matches N]
      Import INPUT and write OUTPUT in the format its extension names. The two
      .nsub settings (0 to 255) default to INPUT's when it is .nsub, else 2 and 3.
  tamsel-cli convert --to nsub|xlsx|csv|tsv [--out-dir DIR] INPUT...
      Convert each INPUT to a file with the new extension, next to it or in DIR
      (which must exist); report each failure and go on. --mismatches and
      --end-matches apply here too.
  tamsel-cli rows FILE
      Print the cells FILE's reader produces, before any primer conversion, as
      {"rows":[["cell",...],...]}.

Formats, chosen by the lower-cased extension alone, never by the contents:
  read   .nsub  .xlsx  .xls  .csv (comma; semicolon when the first line holds
         a semicolon but no comma)  .tsv, .txt and any other extension (tab)
  write  .nsub  .xlsx  .csv  .tsv  (any other extension is written as .nsub)
  Files over 1 GiB are refused. Every export goes to a temporary file that
  then replaces OUTPUT, so a failed export never damages an existing file.

Exit status: 0 success, 1 a file could not be read or written, 2 usage error.

Examples:
  tamsel-cli show primers.xlsx
  tamsel-cli show --json order.csv
  tamsel-cli convert order.csv order.nsub --end-matches 5
  tamsel-cli convert --to xlsx --out-dir converted *.nsub
  tamsel-cli rows sheet.xls)";

struct Arguments {
  std::string showFile;
  bool json = false;
  std::vector<std::string> convertFiles;
  std::string to;
  std::string outDir;
  int mismatches = -1;
  int endMatches = -1;
  std::string rowsFile;
};

SettingsOverride settingsFrom(const Arguments& arguments, const CLI::App& convert) {
  SettingsOverride settings;
  if (convert.count("--mismatches")) settings.defaultMismatches = arguments.mismatches;
  if (convert.count("--end-matches")) settings.endMatches = arguments.endMatches;
  return settings;
}

int usageError(const std::string& message) {
  std::cerr << "tamsel-cli: " << message << "\nRun with --help for more information.\n";
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  CLI::App app{"tamsel-cli: reads and converts lists of PCR primers (.nsub, .xlsx, .xls, .csv, .tsv, .txt)",
               "tamsel-cli"};
  app.footer(kFooter);
  app.require_subcommand(1);
  Arguments arguments;

  CLI::App* show = app.add_subcommand("show", "Import FILE as the desktop window does and print its primers");
  show->add_option("FILE", arguments.showFile, "The primer file")->required();
  show->add_flag("--json", arguments.json,
                 "Print {\"defaultMismatches\":N,\"endMatches\":N,\"primers\":[{\"selected\":B,\"name\":S,"
                 "\"sequence\":S,\"comment\":S},...]} (settings 2 and 3 unless FILE is .nsub)");

  CLI::App* convert = app.add_subcommand(
      "convert",
      "Convert INPUT to OUTPUT (the writer chosen by OUTPUT's extension), or with --to each INPUT to a file of "
      "that format next to it or in --out-dir");
  convert->add_option("FILES", arguments.convertFiles, "INPUT OUTPUT, or with --to: INPUT...")->required();
  convert->add_option("--to", arguments.to, "Convert every FILE to this format")
      ->check(CLI::IsMember({"nsub", "xlsx", "csv", "tsv"}));
  convert->add_option("--out-dir", arguments.outDir, "With --to: write the files here (default: next to each input)")
      ->check(CLI::ExistingDirectory);
  convert->add_option("--mismatches", arguments.mismatches,
                      "Default mismatch count written to .nsub (default: the input's when .nsub, else 2)")
      ->check(CLI::Range(0, 255));
  convert->add_option("--end-matches", arguments.endMatches,
                      "End-match count written to .nsub (default: the input's when .nsub, else 3)")
      ->check(CLI::Range(0, 255));

  CLI::App* rows = app.add_subcommand("rows", "Print the cells the reader of FILE's kind produces, before any "
                                              "primer conversion, as {\"rows\":[[\"cell\",...],...]}");
  rows->add_option("FILE", arguments.rowsFile, "The file to read")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::ParseError& error) {
    return usageError(error.what());
  }

  if (*show) return showFile(arguments.showFile, arguments.json);
  if (*rows) return printRows(arguments.rowsFile);

  const SettingsOverride settings = settingsFrom(arguments, *convert);
  if (convert->count("--to")) {
    std::vector<std::filesystem::path> inputs(arguments.convertFiles.begin(), arguments.convertFiles.end());
    std::optional<std::filesystem::path> outDir;
    if (convert->count("--out-dir")) outDir = arguments.outDir;
    return convertFiles(inputs, arguments.to, outDir, settings);
  }
  if (convert->count("--out-dir")) return usageError("--out-dir needs --to");
  if (arguments.convertFiles.size() != 2) return usageError("convert needs INPUT and OUTPUT, or --to FORMAT INPUT...");
  return convertFile(arguments.convertFiles[0], arguments.convertFiles[1], settings);
}
