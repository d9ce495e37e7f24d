#pragma once

// The export flow without a dialog: the rule that keeps the proposed name's
// extension in step with the format chosen in the export dialog, and the
// write itself. The formats and their order are the format table's
// (exportFormats in formats/FormatRegistry.h).

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/FileIO.h"
#include "model/PrimerList.h"

namespace tamsel {

// The name the export dialog shows after the user picks format `formatIndex`:
// the part of `proposedName` before its first dot, a dot, the extension.
std::string updateSavePanel(std::string_view proposedName, int formatIndex);

// Writes `primers` to `destination` with the writer its lower-cased extension
// selects. Returns nothing on success, else the message the window shows
// ("Failed to export: " + reason). A failed write leaves any existing file intact.
// When `cancelled` is set before the file is complete, nothing is written.
std::optional<std::string> exportPrimers(const std::filesystem::path& destination, const PrimerList& primers,
                                         int defaultMismatches, int endMatches,
                                         const std::atomic<bool>* cancelled = nullptr);

// What an export to `extension` (lower-cased, without the dot) writes, for
// standard output. The list must outlive the result.
ContentsWriter exportWriter(std::string_view extension, const PrimerList& primers, int defaultMismatches,
                            int endMatches);

}  // namespace tamsel
