#include "app/ImportFile.h"

#include "app/FileNames.h"
#include "app/ReadUnconverted.h"
#include "model/Alphabet.h"

namespace tamsel {
namespace {

// The primers of what a reader produced: cells go through the conversion,
// primers stand as they are; a primer file's settings go to `settings` as
// soon as it parses.
Expected<PrimerList, std::string> primersOf(ReadResult&& result, std::optional<ListSettings>& settings) {
  if (auto* cells = std::get_if<CellsRead>(&result)) {
    auto primers = primersFromRows(cells->rows, cells->headerTest);
    if (!primers) return unexpected(std::string(kReadFailurePrefix) + primers.error().message);
    return std::move(*primers);
  }
  PrimersRead& read = std::get<PrimersRead>(result);
  settings = read.settings;
  return std::move(read.primers);
}

// The rest of an import once the reader has run.
ImportOutcome outcomeOf(Expected<ReadResult, std::string>&& read, std::string listName) {
  ImportOutcome outcome;
  Expected<PrimerList, std::string> primers =
      read ? primersOf(std::move(*read), outcome.settings) : unexpected(read.error());
  if (!primers) {
    outcome.error = primers.error();
  } else if (primers->empty()) {
    outcome.error = "No primer data found in the file.";
  } else if (std::optional<std::string> problem = validatePrimers(*primers)) {
    outcome.error = std::move(*problem);
  } else {
    outcome.primers = std::move(*primers);
    outcome.fileBaseName = std::move(listName);
  }
  return outcome;
}

}  // namespace

// The conversion needs no cell past the column limit, only the width.
ImportOutcome importFile(const std::filesystem::path& location) {
  return outcomeOf(readUnconverted(location, kMaxColumns + 1), baseName(location));
}

ImportOutcome importBytes(ByteView bytes, const std::string& extension, std::string listName) {
  return outcomeOf(readUnconverted(bytes, extension, kMaxColumns + 1), std::move(listName));
}

}  // namespace tamsel
