#include <iostream>

#include "cli/Command.h"

namespace tamsel::cli {

// Each defined in the command's own file.
std::unique_ptr<Command> makeShowCommand();
std::unique_ptr<Command> makeConvertCommand();
std::unique_ptr<Command> makeRowsCommand();
std::unique_ptr<Command> makeLayoutCommand();
std::unique_ptr<Command> makeCheckCommand();

std::vector<std::unique_ptr<Command>> makeCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(makeShowCommand());
  commands.push_back(makeConvertCommand());
  commands.push_back(makeRowsCommand());
  commands.push_back(makeLayoutCommand());
  commands.push_back(makeCheckCommand());
  return commands;
}

int usageError(const std::string& message) {
  std::cerr << "tamsel-cli: " << message << "\nRun with --help for more information.\n";
  return kExitUsage;
}

}  // namespace tamsel::cli
