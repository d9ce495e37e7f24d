#pragma once

// Shell completions for tamsel-cli, made from the commands' help: command
// names, each command's options, the choices of an option's value (format
// names), folders for a value named DIR, files for the arguments.

#include <string>
#include <vector>

#include "cli/Command.h"

namespace tamsel::cli {

std::string bashCompletion(const std::vector<CommandHelp>& commands);
std::string zshCompletion(const std::vector<CommandHelp>& commands);

}  // namespace tamsel::cli
