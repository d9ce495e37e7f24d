// Writes the manual pages and the shell completions of tamsel-cli (and the
// window's manual page) into the folder given, from the commands' help.

#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli/Completions.h"
#include "cli/ManPage.h"

int main(int argc, char** argv) {
  using namespace tamsel::cli;
  if (argc != 2) {
    std::cerr << "usage: tamsel-cli-docs FOLDER\n";
    return kExitUsage;
  }
  std::vector<CommandHelp> commands;
  for (const auto& command : makeCommands()) commands.push_back(command->help());
  const std::filesystem::path folder = argv[1];
  const std::pair<const char*, std::string> files[] = {
      {"tamsel-cli.1", cliManPage(commands)},
      {"tamsel.1", windowManPage()},
      {"tamsel-cli.bash", bashCompletion(commands)},
      {"_tamsel-cli", zshCompletion(commands)},
  };
  for (const auto& [name, text] : files) {
    std::ofstream out(folder / name, std::ios::binary);
    out << text;
    if (!out.flush()) {
      std::cerr << "tamsel-cli-docs: cannot write " << (folder / name).string() << '\n';
      return kExitFailure;
    }
  }
  return kExitSuccess;
}
