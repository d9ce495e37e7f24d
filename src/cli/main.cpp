// tamsel-cli: the import and export of the desktop window, from a shell.

#include <CLI/CLI.hpp>

#include <iostream>

#include "Version.h"
#include "app/ProcessMemory.h"
#include "cli/Command.h"
#include "cli/Help.h"

namespace {

using namespace tamsel::cli;

// Prints the help of Help.h in place of the parser's own: the program's for
// --help, a command's for COMMAND --help.
class HelpFormatter : public CLI::FormatterBase {
 public:
  explicit HelpFormatter(std::vector<CommandHelp> commands) : commands_(std::move(commands)) {}

  std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override {
    for (const CommandHelp& command : commands_) {
      if (app->get_parent() && command.name == app->get_name()) return commandHelpText(command);
    }
    return programHelpText(commands_);
  }

 private:
  std::vector<CommandHelp> commands_;
};

}  // namespace

int main(int argc, char** argv) {
  tamsel::returnLargeBuffersWhenFreed();
  std::ios::sync_with_stdio(false);
  const std::vector<std::unique_ptr<Command>> commands = makeCommands();
  std::vector<CommandHelp> helps;
  for (const auto& command : commands) helps.push_back(command->help());

  CLI::App app{kProgramSummary, "tamsel-cli"};
  app.formatter(std::make_shared<HelpFormatter>(helps));  // before the commands, which take it over
  app.set_version_flag("--version", std::string("tamsel-cli ") + tamsel::kVersion);
  app.require_subcommand(1);
  std::vector<CLI::App*> parsers;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    parsers.push_back(app.add_subcommand(helps[i].name, helps[i].summary));
    commands[i]->declare(*parsers.back());
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {  // --help, --version
    return app.exit(done);
  } catch (const CLI::ParseError& error) {
    return usageError(error.what());
  }

  for (std::size_t i = 0; i < commands.size(); ++i) {
    if (!*parsers[i]) continue;
    const int status = commands[i]->run(*parsers[i]);
    // Data that could not be written (a full disk) is a failure, not a success.
    if (!std::cout.flush() && status == kExitSuccess) {
      std::cerr << "Failed to write standard output.\n";
      return kExitFailure;
    }
    return status;
  }
  return usageError("a COMMAND is needed");
}
