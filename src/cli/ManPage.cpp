#include "cli/ManPage.h"

#include <sstream>

#include "Version.h"
#include "cli/Help.h"

namespace tamsel::cli {
namespace {

// Text as roff reads it literally: backslashes escaped, a hyphen that starts
// an option or stands alone written as a minus sign (so that it can be
// searched for and pasted), and no line taken for a request.
std::string roff(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char before = i == 0 ? ' ' : text[i - 1];
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-' && (before == ' ' || before == '-' || before == '(' || before == '[' || before == '\n')) {
      out += "\\-";
    } else if (c == ',' && i + 1 < text.size() && text[i + 1] != ' ') {
      out += ",\\:";  // JSON and lists without spaces may break after a comma
    } else {
      if ((c == '.' || c == '\'') && (out.empty() || out.back() == '\n')) out += "\\&";
      out += c;
    }
  }
  return out;
}

std::string upperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string bold(const std::string& text) { return "\\fB" + roff(text) + "\\fR"; }

void header(std::ostream& out, const std::string& name, const std::string& summary) {
  out << ".TH " << roff(upperCase(name)) << " 1 \"\" \"Tamsel " << kVersion << "\" \"User Commands\"\n"
      << ".nh\n.ad l\n"
      << ".SH NAME\n"
      << roff(name) << " \\- " << roff(summary) << '\n';
}

void entry(std::ostream& out, const std::string& term, const std::string& text) {
  out << ".TP\n" << bold(term) << '\n' << roff(text) << '\n';
}

void section(std::ostream& out, const Section& section) {
  out << ".SH " << roff(upperCase(section.title)) << '\n';
  if (!section.text.empty()) out << roff(section.text) << '\n';
  for (const Entry& item : section.entries) entry(out, item.term, item.text);
}

void usageLines(std::ostream& out, const std::string& usage) {
  std::istringstream lines(usage);
  std::string line;
  out << ".nf\n";
  while (std::getline(lines, line)) out << bold("tamsel-cli") << ' ' << roff(line) << '\n';
  out << ".fi\n";
}

void command(std::ostream& out, const CommandHelp& command) {
  out << ".SS " << roff(command.name) << '\n' << roff(command.summary) << ".\n";
  usageLines(out, command.usage);
  out << ".PP\n" << roff(command.description) << '\n';
  out << ".PP\nArguments:\n";
  for (const OptionHelp& argument : command.arguments) entry(out, optionTerm(argument), argument.text);
  out << ".PP\nOptions:\n";
  for (const OptionHelp& option : command.options) entry(out, optionTerm(option), option.text);
  const Entry help = commandHelpOption();
  entry(out, help.term, help.text);
  out << ".PP\nExamples:\n";
  for (const Example& example : command.examples) {
    out << ".RS 4\n.nf\n" << roff("tamsel-cli " + example.commandLine) << "\n.fi\n.RS 4\n"
        << roff(example.text) << "\n.RE\n.RE\n";
  }
}

}  // namespace

std::string cliManPage(const std::vector<CommandHelp>& commands) {
  std::ostringstream out;
  header(out, "tamsel-cli", kProgramSummary);
  out << ".SH SYNOPSIS\n";
  usageLines(out, "COMMAND [OPTIONS] [FILE...]\n--help | --version");
  out << ".SH DESCRIPTION\n" << roff(programDescription()) << '\n';
  out << ".SH COMMANDS\n";
  for (const CommandHelp& each : commands) command(out, each);
  section(out, {"Options", "", programOptions()});
  for (const Section& each : generalSections()) section(out, each);
  out << ".SH SEE ALSO\n" << bold("tamsel") << "(1)\n";
  return out.str();
}

std::string windowManPage() {
  std::ostringstream out;
  header(out, "tamsel", "convert lists of PCR primers between file formats");
  out << ".SH SYNOPSIS\n" << bold("tamsel") << " [\\fIFILE\\fR]\n"
      << ".SH DESCRIPTION\n"
      << roff("Tamsel opens a file that holds PCR primers, shows them in an editable table (a selected flag, a "
              "name, an IUPAC nucleotide sequence and a comment per primer) with the two .nsub settings, the "
              "default mismatch count and the end-match count, and exports the list to another format. Each "
              "window holds one list; FILE, when given, is imported into the first window.")
      << '\n';
  section(out, {"Options",
                "",
                {{"-h, --help", "Print the options."}, {"-v, --version", "Print the version."}}});
  section(out, formatsSection());
  out << ".SH SEE ALSO\n" << bold("tamsel-cli") << "(1)\n";
  return out.str();
}

}  // namespace tamsel::cli
