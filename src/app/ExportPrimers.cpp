#include "app/ExportPrimers.h"

namespace tamsel {

const std::array<ExportFormat, 4>& exportFormats() {
  static constexpr std::array<ExportFormat, 4> kFormats{{
      {"Helmvard Primer (.nsub)", "nsub"},
      {"Excel Workbook (.xlsx)", "xlsx"},
      {"Comma-Separated Values (.csv)", "csv"},
      {"Tab-Separated Values (.tsv)", "tsv"},
  }};
  return kFormats;
}

std::string updateSavePanel(std::string_view proposedName, int formatIndex) {
  std::string_view stem = proposedName.substr(0, proposedName.find('.'));
  return std::string(stem) + "." + std::string(exportFormats().at(static_cast<std::size_t>(formatIndex)).extension);
}

std::optional<std::string> exportPrimers(const std::filesystem::path&, const PrimerList&, int, int) {
  return std::string("Failed to export: exporting is not available yet.");
}

}  // namespace tamsel
