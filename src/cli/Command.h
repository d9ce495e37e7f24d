#pragma once

// A tamsel-cli command: its help, which is the one text that the terminal
// help, the manual page and the shell completions are made from; the options
// it declares; and what it does once they are parsed.

#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace tamsel::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct OptionHelp {
  std::string name;   // "--from", or an argument's placeholder ("FILE")
  std::string value;  // the option value's placeholder ("FORMAT"); empty for a flag or an argument
  std::string text;
  // What a shell completes for the value. Without choices it completes
  // folders for a value named DIR and nothing for others; an argument
  // completes file names.
  std::vector<std::string> choices;
};

struct Example {
  std::string commandLine;  // after "tamsel-cli "
  std::string text;
};

struct CommandHelp {
  std::string name;
  std::string usage;    // after "tamsel-cli "; one line per form
  std::string summary;  // the command's line in the command list
  std::string description;
  std::vector<OptionHelp> arguments;
  std::vector<OptionHelp> options;
  std::vector<Example> examples;
};

class Command {
 public:
  virtual ~Command() = default;
  virtual CommandHelp help() const = 0;
  // Declares the arguments and options of help() on `command`, bound to this
  // object's fields.
  virtual void declare(CLI::App& command) = 0;
  // After a successful parse: does the work and gives the exit code.
  virtual int run(const CLI::App& command) = 0;
};

// Every command, in the order the help lists them. A new command is a class
// in its own file and one line in this list (Commands.cpp).
std::vector<std::unique_ptr<Command>> makeCommands();

// Prints "tamsel-cli: " + message and the pointer to --help; gives kExitUsage.
int usageError(const std::string& message);

}  // namespace tamsel::cli
