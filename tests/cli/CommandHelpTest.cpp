#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <set>

#include "cli/Command.h"

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

}  // namespace
}  // namespace tamsel::cli
