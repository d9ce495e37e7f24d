#pragma once

// The manual pages tamsel-cli(1) and tamsel(1) in roff, made from the same
// commands and sections as the terminal help.

#include <string>
#include <vector>

#include "cli/Command.h"

namespace tamsel::cli {

std::string cliManPage(const std::vector<CommandHelp>& commands);
std::string windowManPage();

}  // namespace tamsel::cli
