#include "cli/FormatNames.h"

#include "app/ExportPrimers.h"

namespace tamsel::cli {

const std::vector<std::string>& readFormatNames() {
  static const std::vector<std::string> kNames{"nsub", "xlsx", "xls", "csv", "tsv", "txt"};
  return kNames;
}

const std::vector<std::string>& writeFormatNames() {
  static const std::vector<std::string> kNames = [] {
    std::vector<std::string> names;
    for (const ExportFormat& format : exportFormats()) names.emplace_back(format.extension);
    return names;
  }();
  return kNames;
}

bool isBinaryFormat(std::string_view name) { return name != "csv" && name != "tsv" && name != "txt"; }

std::string joined(const std::vector<std::string>& names, std::string_view separator) {
  std::string text;
  for (const std::string& name : names) {
    if (!text.empty()) text += separator;
    text += name;
  }
  return text;
}

}  // namespace tamsel::cli
