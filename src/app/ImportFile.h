#pragma once

// The one entry point of an import, shared by the window and the CLI: reads a
// file, chooses the reader by its lower-cased extension, converts and checks
// the primers, and gives back either the new list or the message to show.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/TableLayout.h"
#include "model/Bytes.h"
#include "model/PrimerList.h"
#include "app/ReadUnconverted.h"

namespace tamsel {

struct ImportOutcome {
  // Set on success: the new list and the file's name without its extension.
  std::optional<PrimerList> primers;
  std::string fileBaseName;
  // Set whenever a .nsub file parsed, even when the import then fails its
  // later checks: the window applies them either way.
  std::optional<ListSettings> settings;
  // Set whenever a table of cells was converted, even when the import then
  // fails its later checks: how its columns were read.
  std::optional<TableLayout> layout;
  // Set on failure: the exact message the window shows.
  std::optional<std::string> error;
  // A workbook's worksheets, whatever the outcome once the workbook opened,
  // and the one read (none when every sheet with sequences was read).
  std::vector<std::string> sheetNames;
  std::optional<std::size_t> sheetIndex;

  bool succeeded() const { return primers.has_value(); }
};

// Put before the reason of every failure to read or convert a file.
inline constexpr std::string_view kReadFailurePrefix = "Failed to read file: ";

ImportOutcome importFile(const std::filesystem::path& location, const SheetRequest& sheet = {});

// The same import from bytes already in memory (standard input): `extension`
// (lower-cased, without the dot) chooses the reader as a file's would, and
// `listName` becomes the outcome's fileBaseName.
ImportOutcome importBytes(ByteView bytes, const std::string& extension, std::string listName,
                          const SheetRequest& sheet = {});

}  // namespace tamsel
