#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "cli/Command.h"
#include "cli/Completions.h"
#include "cli/Help.h"
#include "cli/ManPage.h"
#include "cli/PrimerTable.h"

namespace tamsel::cli {
namespace {

// The help of a command is the only description of its options that a user
// sees, so it must name exactly the options the command declares.
TEST(CommandHelpTest, HelpNamesExactlyTheDeclaredOptionsAndGivesTwoExamples) {
  for (const std::unique_ptr<Command>& command : makeCommands()) {
    const CommandHelp help = command->help();
    CLI::App app;
    CLI::App* parser = app.add_subcommand(help.name);
    command->declare(*parser);
    std::set<std::string> declared;
    for (const CLI::Option* option : parser->get_options()) {
      for (const std::string& name : option->get_lnames()) {
        if (name != "help") declared.insert("--" + name);
      }
    }
    std::set<std::string> documented;
    for (const OptionHelp& option : help.options) documented.insert(option.name);
    EXPECT_EQ(declared, documented) << help.name;

    ASSERT_EQ(help.examples.size(), 2u) << help.name;
    for (const Example& example : help.examples) {
      EXPECT_EQ(example.commandLine.rfind(help.name + " ", 0), 0u) << example.commandLine;
    }
    EXPECT_FALSE(help.summary.empty() || help.description.empty() || help.arguments.empty()) << help.name;
  }
}

// Each command by its summary: in the zsh completion, and in the program's
// help two spaces after the longest name.
TEST(CommandHelpTest, CompletionAndHelpDescribeEachCommandByItsSummary) {
  std::vector<CommandHelp> helps;
  for (const std::unique_ptr<Command>& command : makeCommands()) helps.push_back(command->help());
  const std::string zsh = zshCompletion(helps), help = programHelpText(helps);
  std::size_t widest = 0;
  for (const CommandHelp& command : helps) widest = std::max(widest, command.name.size());
  for (const CommandHelp& command : helps) {
    const std::string summary = command.summary.substr(0, 10);
    EXPECT_NE(zsh.find("'" + command.name + ":" + summary), std::string::npos) << command.name;
    const std::string padded = command.name + std::string(widest - command.name.size() + 2, ' ');
    EXPECT_NE(help.find("\n  " + padded + summary), std::string::npos) << help;
  }
}

// A text line that starts with a period or an apostrophe would be a request to man.
TEST(CommandHelpTest, ManPageEscapesLinesThatLookLikeRequests) {
  CommandHelp help;
  help.name = "demo", help.usage = "demo FILE", help.summary = "Demo", help.description = ".x first\n'y second";
  const std::string page = cliManPage({help});
  EXPECT_NE(page.find("\\&.x first"), std::string::npos) << page;
  EXPECT_NE(page.find("\n\\&'y second"), std::string::npos) << page;
}

// A name wider than its column keeps its first 31 characters and an ellipsis.
TEST(PrimerTableTest, LongTextsAreCutToTheColumnWidth) {
  std::string accented;
  for (int i = 0; i < 40; ++i) accented += "\xC3\xA9";
  std::ostringstream out;
  const PrimerList primers{PrimerEntry(true, std::string(40, 'n'), "ACGT", ""),
                           PrimerEntry(true, accented, "ACGT", "")};
  writePrimerTable(out, "t", primers, 2, 3);
  EXPECT_NE(out.str().find(" " + std::string(31, 'n') + "\u2026"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find(" " + accented.substr(0, 62) + "\u2026"), std::string::npos) << out.str();
}

TEST(PrimerTableTest, PropertyColumnsAreAsWideAsTheirWidestCell) {
  std::ostringstream out;
  writePrimerTable(out, "p", {PrimerEntry(false, "P1", "ACGTACGTAC", "")}, 2, 3, true);
  EXPECT_NE(out.str().find("\n#  Sel  Name  Sequence    Len  GC%   Tm    Comment\n"
                           "1  [ ]  P1    ACGTACGTAC  10   50.0  27.8\n"),
            std::string::npos)
      << out.str();
}

}  // namespace
}  // namespace tamsel::cli
