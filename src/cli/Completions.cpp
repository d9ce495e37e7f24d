#include "cli/Completions.h"

#include <sstream>

#include "cli/FormatNames.h"
#include "cli/Help.h"

namespace tamsel::cli {
namespace {

constexpr std::string_view kFolderValue = "DIR";

std::vector<std::string> optionNames(const CommandHelp& command) {
  std::vector<std::string> names;
  for (const OptionHelp& option : command.options) names.push_back(option.name);
  names.push_back("--help");
  return names;
}

// The first sentence, without any JSON shape and with [ ] escaped, inside
// the single quotes of a zsh word.
std::string zshDescription(const std::string& text) {
  std::string sentence = text.substr(0, text.find(". "));
  sentence = sentence.substr(0, sentence.find(" {"));
  while (!sentence.empty() && (sentence.back() == '.' || sentence.back() == ':')) sentence.pop_back();
  std::string out;
  for (char c : sentence) {
    if (c == '[' || c == ']') out += '\\';
    if (c == '\'') {
      out += "'\\''";
      continue;
    }
    out += c;
  }
  return out;
}

}  // namespace

std::string bashCompletion(const std::vector<CommandHelp>& commands) {
  std::vector<std::string> names;
  for (const CommandHelp& command : commands) names.push_back(command.name);
  std::ostringstream out;
  out << "# bash completion for tamsel-cli, made from its help.\n"
         "_tamsel_cli() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command= word\n"
         "  for word in \"${COMP_WORDS[@]:1:COMP_CWORD-1}\"; do\n"
         "    case $word in -*) ;; *) command=$word; break ;; esac\n"
         "  done\n"
         "  case $command in\n"
         "    '') COMPREPLY=($(compgen -W '"
      << joined(names, " ") << " --help --version' -- \"$cur\")); return ;;\n";
  for (const CommandHelp& command : commands) {
    out << "    " << command.name << ")\n      case $prev in\n";
    for (const OptionHelp& option : command.options) {
      if (option.value.empty()) continue;
      out << "        " << option.name << ") ";
      if (!option.choices.empty()) {
        out << "COMPREPLY=($(compgen -W '" << joined(option.choices, " ") << "' -- \"$cur\"))";
      } else if (option.value == kFolderValue) {
        out << "compopt -o filenames; COMPREPLY=($(compgen -d -- \"$cur\"))";
      } else {
        out << "COMPREPLY=()";
      }
      out << "; return ;;\n";
    }
    out << "      esac\n"
           "      if [[ $cur == -* ]]; then COMPREPLY=($(compgen -W '"
        << joined(optionNames(command), " ") << "' -- \"$cur\")); return; fi ;;\n";
  }
  out << "  esac\n"
         "  compopt -o filenames\n"
         "  COMPREPLY=($(compgen -f -- \"$cur\"))\n"
         "}\n"
         "complete -F _tamsel_cli tamsel-cli\n";
  return out.str();
}

std::string zshCompletion(const std::vector<CommandHelp>& commands) {
  std::ostringstream out;
  out << "#compdef tamsel-cli\n"
         "# zsh completion for tamsel-cli, made from its help.\n"
         "local -a commands\n"
         "commands=(\n";
  for (const CommandHelp& command : commands) {
    out << "  '" << command.name << ':' << zshDescription(command.summary) << "'\n";
  }
  out << ")\n"
         "if (( CURRENT == 2 )); then\n"
         "  _describe -t commands 'tamsel-cli command' commands\n"
         "  _arguments '(- *)--help[Print the help]' '(- *)--version[Print the version]'\n"
         "  return\n"
         "fi\n"
         "shift words\n"
         "(( CURRENT-- ))\n"
         "case ${words[1]} in\n";
  for (const CommandHelp& command : commands) {
    out << "  " << command.name << ")\n    _arguments -s \\\n";
    for (const OptionHelp& option : command.options) {
      out << "      '" << option.name << '[' << zshDescription(option.text) << ']';
      if (!option.choices.empty()) {
        out << ':' << zshDescription(option.value) << ":(" << joined(option.choices, " ") << ')';
      } else if (option.value == kFolderValue) {
        out << ":folder:_files -/";
      } else if (!option.value.empty()) {
        out << ':' << zshDescription(option.value) << ": ";
      }
      out << "' \\\n";
    }
    out << "      '(- *)--help[Print the help of " << command.name << "]' \\\n"
        << "      '*:file:_files' ;;\n";
  }
  out << "esac\n";
  return out.str();
}

}  // namespace tamsel::cli
