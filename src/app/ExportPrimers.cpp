#include "app/ExportPrimers.h"

#include "app/FileIO.h"
#include "app/FileNames.h"
#include "formats/FormatRegistry.h"

namespace tamsel {
namespace {

constexpr std::string_view kExportFailurePrefix = "Failed to export: ";

}  // namespace

std::string updateSavePanel(std::string_view proposedName, int formatIndex) {
  std::string_view stem = proposedName.substr(0, proposedName.find('.'));
  return std::string(stem) + "." +
         std::string(exportFormats().at(static_cast<std::size_t>(formatIndex))->extension());
}

ContentsWriter exportWriter(std::string_view extension, const PrimerList& primers, int defaultMismatches,
                            int endMatches) {
  // Only a format's limits can refuse a list (the .nsub field sizes and
  // settings, the ZIP format's sizes).
  return [write = formatWriting(extension).write, &primers, settings = ListSettings{defaultMismatches, endMatches}](
             ByteSink& out) { return write(primers, settings, out); };
}

std::optional<std::string> exportPrimers(const std::filesystem::path& destination, const PrimerList& primers,
                                         int defaultMismatches, int endMatches, const std::atomic<bool>* cancelled) {
  const ContentsWriter write = exportWriter(lowercasedExtension(destination), primers, defaultMismatches, endMatches);
  if (auto failure = writeFileAtomically(destination, write, cancelled)) {
    return std::string(kExportFailurePrefix) + *failure;
  }
  return std::nullopt;
}

}  // namespace tamsel
