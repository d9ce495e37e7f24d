#include "cli/Help.h"

#include <algorithm>
#include <sstream>

#include "cli/FormatNames.h"
#include "formats/FormatRegistry.h"

namespace tamsel::cli {

const char* const kProgramSummary = "read, show and convert lists of PCR primers";

std::string programDescription() {
  return "tamsel-cli imports and exports lists of PCR primers exactly as the Tamsel window does: it shows a "
         "file's primers, prints the cells its reader produces, and converts files between formats, one at a "
         "time, many at once, or in a pipeline from standard input to standard output.";
}

std::vector<Entry> programOptions() {
  return {{"-h, --help", "Print this help; after a COMMAND, that command's options and examples."},
          {"--version", "Print the version."}};
}

Entry commandHelpOption() { return {"-h, --help", "Print this command's help."}; }

Section formatsSection() {
  return {"Formats",
          "The lower-cased extension alone chooses the reader or the writer, never the file's contents.",
          {{"read", joined(readFormatNames()) + "; any other extension is read as tab-separated text. A .csv "
                    "file is split at commas, or at semicolons when its first line holds one and no comma."},
           {"write", joined(writeFormatNames()) + "; any other extension is written as ." +
                         std::string(formatWriting("").extension()) + "."}}};
}

std::vector<Section> generalSections() {
  std::vector<std::string> binary;
  for (const std::string& name : writeFormatNames()) {
    if (isBinaryFormat(name)) binary.push_back(name);
  }
  return {formatsSection(),
          {"Standard input and output",
           "A FILE, INPUT or OUTPUT of - is standard input or standard output. It has no extension, so --from "
           "FORMAT names the format read and --to FORMAT the format written. A binary format (" +
               joined(binary) + ") is not written to a terminal unless --force is given. Messages go to "
               "standard error, data to standard output.",
           {}},
          {"Limits",
           "Files and standard input over 1 GiB are refused. Every export to a file goes to a temporary file "
           "that then replaces OUTPUT, so a failed export never damages an existing file.",
           {}},
          {"Exit status",
           "",
           {{"0", "Success."}, {"1", "A file could not be read or written."}, {"2", "A usage error."}}}};
}

std::string optionTerm(const OptionHelp& option) {
  return option.value.empty() ? option.name : option.name + " " + option.value;
}

namespace {

constexpr std::size_t kWidth = 79;
constexpr std::size_t kIndent = 2;
constexpr std::size_t kMaxTermWidth = 22;

// `text` as lines of at most kWidth characters, each starting with `indent` spaces.
void wrap(std::ostream& out, const std::string& text, std::size_t indent, std::size_t firstLineUsed = 0) {
  std::istringstream words(text);
  std::string word;
  std::size_t used = firstLineUsed;
  bool lineEmpty = true;
  if (used == 0) {
    out << std::string(indent, ' ');
    used = indent;
  }
  while (words >> word) {
    if (!lineEmpty && used + 1 + word.size() > kWidth) {
      out << '\n' << std::string(indent, ' ');
      used = indent;
      lineEmpty = true;
    }
    if (!lineEmpty) {
      out << ' ';
      ++used;
    }
    out << word;
    used += word.size();
    lineEmpty = false;
  }
  out << '\n';
}

void writeEntries(std::ostream& out, const std::vector<Entry>& entries) {
  std::size_t termWidth = 0;
  for (const Entry& entry : entries) {
    if (entry.term.size() <= kMaxTermWidth) termWidth = std::max(termWidth, entry.term.size());
  }
  const std::size_t textColumn = kIndent + termWidth + 2;
  for (const Entry& entry : entries) {
    out << std::string(kIndent, ' ') << entry.term;
    if (entry.term.size() > termWidth) {
      out << '\n';
      wrap(out, entry.text, textColumn);
    } else {
      out << std::string(textColumn - kIndent - entry.term.size(), ' ');
      wrap(out, entry.text, textColumn, textColumn);
    }
  }
}

void writeSection(std::ostream& out, const Section& section) {
  out << '\n' << section.title << ":\n";
  if (!section.text.empty()) wrap(out, section.text, kIndent);
  writeEntries(out, section.entries);
}

void writeUsage(std::ostream& out, const std::string& usage) {
  std::istringstream lines(usage);
  std::string line;
  for (bool first = true; std::getline(lines, line); first = false) {
    out << (first ? "Usage: " : "       ") << "tamsel-cli " << line << '\n';
  }
}

std::vector<Entry> entriesOf(const std::vector<OptionHelp>& options) {
  std::vector<Entry> entries;
  for (const OptionHelp& option : options) entries.push_back({optionTerm(option), option.text});
  return entries;
}

}  // namespace

std::string programHelpText(const std::vector<CommandHelp>& commands) {
  std::ostringstream out;
  writeUsage(out, "COMMAND [OPTIONS] [FILE...]\n--help | --version");
  out << '\n';
  wrap(out, programDescription(), 0);
  Section list{"Commands", "", {}};
  for (const CommandHelp& command : commands) list.entries.push_back({command.name, command.summary});
  writeSection(out, list);
  writeSection(out, {"Options", "", programOptions()});
  for (const Section& section : generalSections()) writeSection(out, section);
  out << "\nRun 'tamsel-cli COMMAND --help' for a command's options and examples.\n";
  return out.str();
}

std::string commandHelpText(const CommandHelp& command) {
  std::ostringstream out;
  writeUsage(out, command.usage);
  out << '\n';
  wrap(out, command.description, 0);
  writeSection(out, {"Arguments", "", entriesOf(command.arguments)});
  std::vector<Entry> options = entriesOf(command.options);
  options.push_back(commandHelpOption());
  writeSection(out, {"Options", "", options});
  out << "\nExamples:\n";
  for (const Example& example : command.examples) {
    out << std::string(kIndent, ' ') << "tamsel-cli " << example.commandLine << '\n';
    wrap(out, example.text, 3 * kIndent);
  }
  return out.str();
}

}  // namespace tamsel::cli
