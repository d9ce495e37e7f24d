#include "formats/xlsx/XLSXParser.h"

#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "formats/xlsx/PackageRelationships.h"
#include "formats/xlsx/SharedStringsParser.h"
#include "formats/xlsx/SheetParser.h"
#include "formats/xml/XMLParser.h"
#include "formats/zip/ZIPReader.h"

namespace tamsel::xlsx {
namespace {

constexpr std::string_view domain = "XLSXParser";
constexpr std::string_view sheet1Name = "xl/worksheets/sheet1.xml";
constexpr std::string_view sharedStringsName = "xl/sharedStrings.xml";

ReaderError sheetNotFound() { return {std::string(domain), 1, "Could not find sheet1 in the XLSX file."}; }
ReaderError tooLarge() { return {std::string(domain), 2, "The XLSX file is too large to read."}; }

// Real sheets repeat their shared strings a few times over; a table far
// larger than the parts it came from is an attack, not a primer list.
std::uint64_t cellTextLimit(std::uint64_t inputBytes) { return 16 * inputBytes + (std::uint64_t{64} << 20); }

bool endsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Where the workbook's relationships say its first sheet and its shared
// strings are; consulted only when the usual member names are absent.
struct WorkbookParts {
  std::optional<std::string> firstSheet;
  std::optional<std::string> sharedStrings;
};

class Package {
 public:
  Package(const zip::ZIPReader& archive, std::vector<zip::ZIPReader::Entry> directory)
      : zip_(archive), directory_(std::move(directory)) {}

  Expected<Bytes, zip::ZIPReader::ExtractError> member(std::string_view name) const {
    return zip_.extractMember(directory_, name);
  }

  const WorkbookParts& workbookParts() {
    if (!workbookParts_) workbookParts_ = locateWorkbookParts();
    return *workbookParts_;
  }

 private:
  std::vector<PackageRelationship> relationshipsOf(std::string_view partName) const {
    auto part = member(relationshipsPartName(partName));
    if (!part) return {};
    return parseRelationships(*part);
  }

  WorkbookParts locateWorkbookParts() const {
    WorkbookParts parts;
    std::optional<std::string> workbook;
    for (const PackageRelationship& relationship : relationshipsOf("")) {
      if (!relationship.external && endsWith(relationship.type, "/officeDocument")) {
        workbook = resolveRelationshipTarget("", relationship.target);
        break;
      }
    }
    if (!workbook) return parts;

    const std::vector<PackageRelationship> relationships = relationshipsOf(*workbook);
    std::optional<std::string> sheetID;
    if (auto workbookPart = member(*workbook)) sheetID = firstSheetRelationshipID(*workbookPart);
    for (const PackageRelationship& relationship : relationships) {
      if (relationship.external) continue;
      if (sheetID && !parts.firstSheet && relationship.id == *sheetID) {
        parts.firstSheet = resolveRelationshipTarget(*workbook, relationship.target);
      }
      if (!parts.sharedStrings && endsWith(relationship.type, "/sharedStrings")) {
        parts.sharedStrings = resolveRelationshipTarget(*workbook, relationship.target);
      }
    }
    return parts;
  }

  const zip::ZIPReader& zip_;
  std::vector<zip::ZIPReader::Entry> directory_;
  std::optional<WorkbookParts> workbookParts_;
};

Expected<RowTable, ReaderError> readWorkbook(ByteView data) {
  const zip::ZIPReader archive(data);
  auto directory = archive.readCentralDirectory();
  if (!directory) return unexpected(sheetNotFound());
  Package package(archive, std::move(*directory));

  auto sheet = package.member(sheet1Name);
  if (!sheet && sheet.error() == zip::ZIPReader::ExtractError::missing) {
    if (const auto& name = package.workbookParts().firstSheet) sheet = package.member(*name);
  }
  if (!sheet) {
    if (sheet.error() == zip::ZIPReader::ExtractError::tooLarge) return unexpected(tooLarge());
    return unexpected(sheetNotFound());
  }

  // The shared strings come first: a sheet's cells index the complete table.
  auto sharedStrings = package.member(sharedStringsName);
  if (!sharedStrings && sharedStrings.error() == zip::ZIPReader::ExtractError::missing) {
    if (const auto& name = package.workbookParts().sharedStrings) sharedStrings = package.member(*name);
  }
  if (!sharedStrings && sharedStrings.error() == zip::ZIPReader::ExtractError::tooLarge) {
    return unexpected(tooLarge());
  }
  SharedStringTable table;
  std::uint64_t inputBytes = sheet->size();
  if (sharedStrings) {
    table = parseSharedStrings(*sharedStrings);
    inputBytes += sharedStrings->size();
    sharedStrings = Bytes{};  // released before the sheet is read
  }

  SheetParser parser(std::move(table), cellTextLimit(inputBytes));
  xml::parseXML(*sheet, parser);
  if (parser.textLimitExceeded()) return unexpected(tooLarge());
  return parser.takeRows();
}

}  // namespace
}  // namespace tamsel::xlsx

namespace tamsel {

Expected<RowTable, ReaderError> XLSXParser::parse(ByteView data) {
  try {
    return xlsx::readWorkbook(data);
  } catch (const std::bad_alloc&) {
    return unexpected(xlsx::tooLarge());
  }
}

}  // namespace tamsel
