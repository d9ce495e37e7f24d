#include "app/ImportFile.h"

#include "app/FileNames.h"
#include "app/ReadUnconverted.h"
#include "import/ConvertRows.h"
#include "model/Alphabet.h"

namespace tamsel {
namespace {

// The primers of what a reader produced: cells go through the row-to-primer
// step, whose layout goes to `outcome.layout`; primers stand as they are, a
// primer file's settings going to `outcome.settings` as soon as it parses.
Expected<PrimerList, std::string> primersOf(ReadResult&& result, ImportOutcome& outcome) {
  if (auto* cells = std::get_if<CellsRead>(&result)) {
    auto converted = convertRows(cells->rows, cells->headerTest);
    if (!converted) return unexpected(std::string(kReadFailurePrefix) + converted.error().message);
    outcome.layout = std::move(converted->layout);
    return std::move(converted->primers);
  }
  PrimersRead& read = std::get<PrimersRead>(result);
  outcome.settings = read.settings;
  return std::move(read.primers);
}

// The rest of an import once the reader has run.
ImportOutcome outcomeOf(Expected<ReadResult, std::string>&& read, std::string listName) {
  ImportOutcome outcome;
  Expected<PrimerList, std::string> primers =
      read ? primersOf(std::move(*read), outcome) : unexpected(read.error());
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

ImportOutcome importFile(const std::filesystem::path& location) {
  return outcomeOf(readUnconverted(location, kStoredColumns), baseName(location));
}

ImportOutcome importBytes(ByteView bytes, const std::string& extension, std::string listName) {
  return outcomeOf(readUnconverted(bytes, extension, kStoredColumns), std::move(listName));
}

}  // namespace tamsel
