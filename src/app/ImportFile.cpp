#include "app/ImportFile.h"

#include "app/FileIO.h"
#include "app/FileNames.h"
#include "formats/nsub/NSubParser.h"
#include "formats/text/DelimitedTextReader.h"
#include "formats/text/TextDecoding.h"
#include "formats/xls/XLSParser.h"
#include "formats/xlsx/XLSXParser.h"
#include "model/Alphabet.h"
#include "model/PrimersFromRows.h"

namespace tamsel {
namespace {

using PrimersOrReason = Expected<PrimerList, std::string>;

PrimersOrReason primersOf(Expected<PrimerList, ImportError> primers) {
  if (!primers) return unexpected(primers.error().message());
  return std::move(*primers);
}

PrimersOrReason primersOfWorkbook(Expected<RowTable, ReaderError> table) {
  if (!table) return unexpected(table.error().message);
  return primersOf(primersFromRows(*table));
}

// The reader chosen by the extension alone; a .nsub file's settings go to
// `settings` as soon as it parses.
PrimersOrReason readPrimers(ByteView bytes, const std::string& extension, std::optional<ListSettings>& settings) {
  if (extension == "nsub") {
    auto contents = NSubParser::parse(bytes);
    if (!contents) return unexpected(std::string(message(contents.error())));
    settings = ListSettings{contents->defaultMismatches, contents->endMatches};
    return std::move(contents->primers);
  }
  if (extension == "xlsx") return primersOfWorkbook(XLSXParser::parse(bytes));
  if (extension == "xls") return primersOfWorkbook(XLSParser::parse(bytes));
  auto text = decodeText(bytes);
  if (!text) return unexpected(text.error());
  return primersOf(parseDelimitedText(*text, extension));
}

}  // namespace

ImportOutcome importFile(const std::filesystem::path& location) {
  auto bytes = readWholeFile(location);
  if (!bytes) {
    ImportOutcome outcome;
    outcome.error = std::string(kReadFailurePrefix) + bytes.error();
    return outcome;
  }
  return importBytes(*bytes, lowercasedExtension(location), baseName(location));
}

ImportOutcome importBytes(ByteView bytes, const std::string& extension, std::string listName) {
  ImportOutcome outcome;
  PrimersOrReason primers = readPrimers(bytes, extension, outcome.settings);
  if (!primers) {
    outcome.error = std::string(kReadFailurePrefix) + primers.error();
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

}  // namespace tamsel
