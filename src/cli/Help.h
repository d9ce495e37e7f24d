#pragma once

// The help of tamsel-cli as a small document (sections of paragraphs and
// term-text entries) and its rendering for a terminal. The manual page
// (ManPage.h) and the shell completions (Completions.h) are made from the
// same commands and sections, so none of them can say something the others
// do not.

#include <string>
#include <vector>

#include "cli/Command.h"

namespace tamsel::cli {

struct Entry {
  std::string term;
  std::string text;
};

struct Section {
  std::string title;
  std::string text;  // a paragraph before the entries; may be empty
  std::vector<Entry> entries;
};

// One line on what tamsel-cli is, and the paragraph that follows it.
extern const char* const kProgramSummary;
std::string programDescription();

// The options of tamsel-cli itself, and those every command takes.
std::vector<Entry> programOptions();
Entry commandHelpOption();

// The parts that belong to no one command: formats, standard input and
// output, limits, exit status.
std::vector<Section> generalSections();

// The formats section alone (the window's manual page shows it too).
Section formatsSection();

// "--from FORMAT", or "FILE" for an argument.
std::string optionTerm(const OptionHelp& option);

// What `tamsel-cli --help` and `tamsel-cli COMMAND --help` print.
std::string programHelpText(const std::vector<CommandHelp>& commands);
std::string commandHelpText(const CommandHelp& command);

}  // namespace tamsel::cli
