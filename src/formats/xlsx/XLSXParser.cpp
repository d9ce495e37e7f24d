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

struct WorksheetPart {
  std::string name;    // the sheet's tab name
  std::string member;  // where the package keeps it
};

// What the workbook's relationships say: where its first sheet and its
// shared strings are (consulted when the usual member names are absent), and
// its worksheets in the workbook's order.
struct WorkbookParts {
  std::optional<std::string> firstSheet;
  std::optional<std::string> sharedStrings;
  std::vector<WorksheetPart> worksheets;
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
    std::vector<WorkbookSheetEntry> sheets;
    if (auto workbookPart = member(*workbook)) sheets = workbookSheets(*workbookPart);
    const auto target = [&](const std::optional<std::string>& id) -> const PackageRelationship* {
      for (const PackageRelationship& relationship : relationships) {
        if (id && !relationship.external && relationship.id == *id) return &relationship;
      }
      return nullptr;
    };
    if (const PackageRelationship* first = sheets.empty() ? nullptr : target(sheets.front().relationshipID)) {
      parts.firstSheet = resolveRelationshipTarget(*workbook, first->target);
    }
    for (const WorkbookSheetEntry& sheet : sheets) {
      // Chart and dialog sheets hold no cells.
      const PackageRelationship* relationship = target(sheet.relationshipID);
      if (relationship && endsWith(relationship->type, "/worksheet")) {
        parts.worksheets.push_back({sheet.name, resolveRelationshipTarget(*workbook, relationship->target)});
      }
    }
    for (const PackageRelationship& relationship : relationships) {
      if (!relationship.external && endsWith(relationship.type, "/sharedStrings")) {
        parts.sharedStrings = resolveRelationshipTarget(*workbook, relationship.target);
        break;
      }
    }
    return parts;
  }

  const zip::ZIPReader& zip_;
  std::vector<zip::ZIPReader::Entry> directory_;
  std::optional<WorkbookParts> workbookParts_;
};

// The worksheets in the order a sheet choice goes through them: the one a
// single-sheet reader took (the member xl/worksheets/sheet1.xml, else the
// workbook's first sheet) first, then the others in the workbook's order.
std::vector<WorksheetPart> sheetOrder(const std::string& firstMember, const WorkbookParts& parts) {
  std::vector<WorksheetPart> order{{"Sheet1", firstMember}};
  for (const WorksheetPart& sheet : parts.worksheets) {
    if (sheet.member == firstMember) {
      order.front().name = sheet.name;
    } else {
      order.push_back(sheet);
    }
  }
  return order;
}

Expected<WorkbookSheet, ReaderError> readWorkbook(ByteView data, const SheetChoice& choice) {
  const zip::ZIPReader archive(data);
  auto directory = archive.readCentralDirectory();
  if (!directory) return unexpected(sheetNotFound());
  Package package(archive, std::move(*directory));

  std::string firstMember(sheet1Name);
  auto sheet = package.member(sheet1Name);
  if (!sheet && sheet.error() == zip::ZIPReader::ExtractError::missing) {
    if (const auto& name = package.workbookParts().firstSheet) {
      firstMember = *name;
      sheet = package.member(*name);
    }
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
  // The table views the part, which so stays until the sheets are read.
  const Bytes sharedStringsPart = sharedStrings ? std::move(*sharedStrings) : Bytes{};
  const SharedStringTable table = parseSharedStrings(sharedStringsPart);
  std::uint64_t inputBytes = sharedStringsPart.size();

  // One limit for every sheet read: the text may grow with the parts read,
  // not with the number of sheets.
  std::uint64_t textBytes = 0;
  SheetPicker picker(choice);
  const std::vector<WorksheetPart> order = sheetOrder(firstMember, package.workbookParts());
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (!picker.wants(order[i].name)) continue;
    if (i > 0) sheet = package.member(order[i].member);
    if (!sheet && sheet.error() == zip::ZIPReader::ExtractError::tooLarge) return unexpected(tooLarge());
    const Bytes part = sheet ? std::move(*sheet) : Bytes{};  // a sheet listed but absent has no rows
    inputBytes += part.size();
    SheetParser parser(table, cellTextLimit(inputBytes) - textBytes);
    xml::parseXML(part, parser);
    if (parser.textLimitExceeded()) return unexpected(tooLarge());
    textBytes += parser.textBytes();
    picker.offer(parser.takeRows());
  }
  return picker.finish(std::string(domain));
}

}  // namespace
}  // namespace tamsel::xlsx

namespace tamsel {

Expected<RowTable, ReaderError> XLSXParser::parse(ByteView data) {
  auto sheet = parseSheet(data, SheetChoice());
  if (!sheet) return unexpected(sheet.error());
  return std::move(sheet->rows);
}

Expected<WorkbookSheet, ReaderError> XLSXParser::parseSheet(ByteView data, const SheetChoice& choice) {
  try {
    return xlsx::readWorkbook(data, choice);
  } catch (const std::bad_alloc&) {
    return unexpected(xlsx::tooLarge());
  }
}

}  // namespace tamsel
