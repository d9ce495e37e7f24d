#include "app/ExportPrimers.h"

#include "app/FileIO.h"
#include "app/FileNames.h"
#include "formats/nsub/NSubWriter.h"
#include "formats/text/DelimitedTextWriter.h"
#include "formats/xlsx/XLSXWriter.h"

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

namespace {

constexpr std::string_view kExportFailurePrefix = "Failed to export: ";

std::optional<std::string> settingOutOfRange(std::string_view what, int value) {
  if (value >= 0 && value <= 255) return std::nullopt;
  return std::string(what) + " must lie between 0 and 255; it is " + std::to_string(value) + ".";
}

Bytes textBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The file's contents by the destination's extension; only the .nsub limits
// and the ZIP format's size limits can refuse a list.
Expected<Bytes, std::string> contentsFor(const std::string& extension, const PrimerList& primers,
                                         int defaultMismatches, int endMatches) {
  if (extension == "csv") return textBytes(generateDelimitedText(primers, ','));
  if (extension == "tsv") return textBytes(generateDelimitedText(primers, '\t'));
  if (extension == "xlsx") return XLSXWriter::writeChecked(primers);
  if (auto problem = settingOutOfRange("The default mismatch count", defaultMismatches)) return unexpected(*problem);
  if (auto problem = settingOutOfRange("The end-match count", endMatches)) return unexpected(*problem);
  return NSubWriter::writeChecked(primers, static_cast<std::uint8_t>(defaultMismatches),
                                  static_cast<std::uint8_t>(endMatches));
}

}  // namespace

Expected<Bytes, std::string> exportContents(const std::string& extension, const PrimerList& primers,
                                            int defaultMismatches, int endMatches) {
  auto contents = contentsFor(extension, primers, defaultMismatches, endMatches);
  if (!contents) return unexpected(std::string(kExportFailurePrefix) + contents.error());
  return std::move(*contents);
}

std::optional<std::string> exportPrimers(const std::filesystem::path& destination, const PrimerList& primers,
                                         int defaultMismatches, int endMatches) {
  auto contents = exportContents(lowercasedExtension(destination), primers, defaultMismatches, endMatches);
  if (!contents) return contents.error();
  if (auto failure = writeFileAtomically(destination, *contents)) return std::string(kExportFailurePrefix) + *failure;
  return std::nullopt;
}

}  // namespace tamsel
