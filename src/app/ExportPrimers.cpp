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

Expected<Bytes, std::string> exportContents(const std::string& extension, const PrimerList& primers,
                                            int defaultMismatches, int endMatches) {
  // Only a format's limits can refuse a list (the .nsub field sizes and
  // settings, the ZIP format's sizes).
  auto contents = formatWriting(extension).write(primers, {defaultMismatches, endMatches});
  if (!contents) return unexpected(std::string(kExportFailurePrefix) + contents.error());
  return std::move(*contents);
}

std::optional<std::string> exportPrimers(const std::filesystem::path& destination, const PrimerList& primers,
                                         int defaultMismatches, int endMatches, const std::atomic<bool>* cancelled) {
  auto contents = exportContents(lowercasedExtension(destination), primers, defaultMismatches, endMatches);
  if (!contents) return contents.error();
  if (cancelled && cancelled->load()) return std::nullopt;
  if (auto failure = writeFileAtomically(destination, *contents)) return std::string(kExportFailurePrefix) + *failure;
  return std::nullopt;
}

}  // namespace tamsel
