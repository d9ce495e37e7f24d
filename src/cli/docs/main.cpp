// Writes the manual pages and the shell completions of tamsel-cli (and the
// window's manual page) into the folder given, from the commands' help, and
// the desktop entry from its template with the MIME types of the formats read.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string_view>

#include "cli/Completions.h"
#include "cli/ManPage.h"
#include "formats/FormatRegistry.h"

namespace {

// "type;type;", the MimeType value of the desktop entry.
std::string readMimeTypes() {
  std::string types;
  for (const tamsel::FileFormat& format : tamsel::fileFormats()) {
    if (format.read && !format.mimeType.empty()) types += std::string(format.mimeType) + ";";
  }
  return types;
}

std::string desktopEntry(const std::filesystem::path& templatePath) {
  std::ifstream in(templatePath, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  constexpr std::string_view kPlaceholder = "@MIME_TYPES@";
  if (const std::size_t at = text.find(kPlaceholder); at != std::string::npos) {
    text.replace(at, kPlaceholder.size(), readMimeTypes());
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tamsel::cli;
  if (argc != 3) {
    std::cerr << "usage: tamsel-cli-docs FOLDER DESKTOP_TEMPLATE\n";
    return kExitUsage;
  }
  std::vector<CommandHelp> commands;
  for (const auto& command : makeCommands()) commands.push_back(command->help());
  const std::filesystem::path folder = argv[1];
  const std::pair<const char*, std::string> files[] = {
      {"tamsel-cli.1", cliManPage(commands)},
      {"tamsel.1", windowManPage()},
      {"tamsel-cli.bash", bashCompletion(commands)},
      {"_tamsel-cli", zshCompletion(commands)},
      {"tamsel.desktop", desktopEntry(argv[2])},
  };
  for (const auto& [name, text] : files) {
    std::ofstream out(folder / name, std::ios::binary);
    out << text;
    if (!out.flush()) {
      std::cerr << "tamsel-cli-docs: cannot write " << (folder / name).string() << '\n';
      return kExitFailure;
    }
  }
  return kExitSuccess;
}
