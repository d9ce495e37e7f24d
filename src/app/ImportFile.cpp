#include "app/ImportFile.h"

#include "app/FileIO.h"
#include "app/FileNames.h"
#include "app/ReadUnconverted.h"
#include "formats/FormatRegistry.h"
#include "import/ConvertRows.h"
#include "import/RowRelay.h"
#include "import/RowStream.h"
#include "import/SequenceColumn.h"
#include "model/Alphabet.h"

namespace tamsel {
namespace {

// The primers of what a reader produced: cells go through the row-to-primer
// step, whose layout goes to `outcome.layout` (the first sheet's, when
// several are read); primers stand as they are, a primer file's settings
// going to `outcome.settings` as soon as it parses.
Expected<PrimerList, std::string> primersOf(ReadResult&& result, ImportOutcome& outcome) {
  if (auto* cells = std::get_if<CellsRead>(&result)) {
    auto converted = convertRows(cells->rows, cells->headerTest);
    if (!converted) return unexpected(std::string(kReadFailurePrefix) + converted.error().message);
    if (!outcome.layout) {
      outcome.layout = std::move(converted->layout);
      if (!cells->sheetNames.empty()) outcome.layout->sheet = cells->sheetNames[cells->sheetIndex];
    }
    return std::move(converted->primers);
  }
  PrimersRead& read = std::get<PrimersRead>(result);
  outcome.settings = read.settings;
  return std::move(read.primers);
}

// The rest of an import once the primers are known.
void checkPrimers(Expected<PrimerList, std::string>&& primers, std::string listName, ImportOutcome& outcome) {
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
}

// The primers of every sheet read (one result for any format but a
// workbook's "all"), and the workbook's sheet names.
ImportOutcome importSheets(std::vector<ReadResult>&& sheets, const SheetRequest& sheet, std::string listName) {
  ImportOutcome outcome;
  if (const auto* cells = std::get_if<CellsRead>(&sheets.front()); cells && !cells->sheetNames.empty()) {
    outcome.sheetNames = cells->sheetNames;
    // Every sheet with sequences was read, however many there were.
    if (sheet.kind != SheetRequest::Kind::all || !hasSequenceColumn(cells->rows)) {
      outcome.sheetIndex = cells->sheetIndex;
    }
  }
  Expected<PrimerList, std::string> primers = PrimerList{};
  for (ReadResult& read : sheets) {
    auto more = primersOf(std::move(read), outcome);
    if (!more) {
      primers = unexpected(more.error());
      break;
    }
    // The first sheet's list is taken as it is: appending would copy it.
    if (primers->empty()) {
      primers = std::move(*more);
    } else {
      primers->append(*more);
    }
  }
  if (primers) primers->compactIfWasteful();
  checkPrimers(std::move(primers), std::move(listName), outcome);
  return outcome;
}

// Files from this size on make their primers on a second thread while the
// reader finds the next cells; for smaller ones the thread would cost more
// than it saves.
constexpr std::size_t kRelayedBytes = std::size_t{1} << 20;

// The one pass of a reader that streams its cells (one sheet of a workbook):
// nothing when its table has to be read whole after all. Texts found in
// `owner` stay there.
std::optional<ImportOutcome> importStreamed(ByteView bytes, const std::string& extension, std::string& listName,
                                            std::shared_ptr<const Bytes> owner, const SheetRequest& sheet) {
  PrimerList primers;
  primers.shareBlock(std::move(owner));
  RowStream stream(primers);
  const bool one = sheet.kind == SheetRequest::Kind::one;
  ReadOptions options{extension, kStoredColumns, one ? sheet.sheet : SheetChoice::firstWithSequences(hasSequenceColumn),
                      &stream};
  auto read = [&] {
    const FileFormat& format = formatReading(extension);
    if (bytes.size() < kRelayedBytes) {
      return format.read(bytes, options);
    }
    RowRelay relay(stream);
    options.rows = &relay;
    auto result = format.read(bytes, options);
    relay.finish();
    return result;
  }();
  if (!read) {
    ImportOutcome outcome;
    outcome.error = std::string(kReadFailurePrefix) + read.error().message;
    return outcome;
  }
  const auto* cells = std::get_if<CellsRead>(&*read);
  if (!cells || !cells->streamed) {
    // What was streamed, if anything, is not the result.
    std::vector<ReadResult> sheets;
    sheets.push_back(std::move(*read));
    return importSheets(std::move(sheets), sheet, std::move(listName));
  }
  auto layout = stream.finish();
  if (!layout) return std::nullopt;
  ImportOutcome outcome;
  if (!cells->sheetNames.empty()) {
    outcome.sheetNames = cells->sheetNames;
    outcome.sheetIndex = cells->sheetIndex;
  }
  if (!*layout) {
    outcome.error = std::string(kReadFailurePrefix) + layout->error().message;
    return outcome;
  }
  outcome.layout = std::move(**layout);
  if (!outcome.sheetNames.empty()) outcome.layout->sheet = outcome.sheetNames[cells->sheetIndex];
  primers.compactIfWasteful();
  checkPrimers(std::move(primers), std::move(listName), outcome);
  return outcome;
}

// An import of `bytes`, which `owner` holds when the primers may keep their
// texts there (null: the bytes last only for the call).
ImportOutcome importShared(std::shared_ptr<const Bytes> owner, ByteView bytes, const std::string& extension,
                           std::string listName, const SheetRequest& sheet) {
  // Every sheet with sequences needs each sheet's table.
  if (formatReading(extension).streamsRows && sheet.kind != SheetRequest::Kind::all) {
    if (auto streamed = importStreamed(bytes, extension, listName, std::move(owner), sheet)) {
      return std::move(*streamed);
    }
  }
  auto sheets = readSheets(bytes, extension, kStoredColumns, sheet);
  if (!sheets) {
    ImportOutcome outcome;
    outcome.error = sheets.error();
    return outcome;
  }
  return importSheets(std::move(*sheets), sheet, std::move(listName));
}

}  // namespace

ImportOutcome importFile(const std::filesystem::path& location, const SheetRequest& sheet) {
  auto bytes = readWholeFile(location);
  if (!bytes) {
    ImportOutcome outcome;
    outcome.error = std::string(kReadFailurePrefix) + bytes.error();
    return outcome;
  }
  auto owner = std::make_shared<const Bytes>(std::move(*bytes));
  return importShared(owner, *owner, lowercasedExtension(location), baseName(location), sheet);
}

ImportOutcome importBytes(ByteView bytes, const std::string& extension, std::string listName,
                          const SheetRequest& sheet) {
  return importShared(nullptr, bytes, extension, std::move(listName), sheet);
}

}  // namespace tamsel
