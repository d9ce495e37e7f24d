#include "cli/FormatNames.h"

#include "formats/FormatRegistry.h"

namespace tamsel::cli {

const std::vector<std::string>& readFormatNames() {
  static const std::vector<std::string> kNames = [] {
    std::vector<std::string> names;
    for (const FileFormat& format : fileFormats()) {
      if (format.read) names.insert(names.end(), format.extensions.begin(), format.extensions.end());
    }
    return names;
  }();
  return kNames;
}

const std::vector<std::string>& writeFormatNames() {
  static const std::vector<std::string> kNames = [] {
    std::vector<std::string> names;
    for (const FileFormat* format : exportFormats()) names.emplace_back(format->extension());
    return names;
  }();
  return kNames;
}

bool isBinaryFormat(std::string_view name) { return formatWriting(name).binary; }

std::string joined(const std::vector<std::string>& names, std::string_view separator) {
  std::string text;
  for (const std::string& name : names) {
    if (!text.empty()) text += separator;
    text += name;
  }
  return text;
}

}  // namespace tamsel::cli
