#include "formats/xlsx/XLSXParser.h"

#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "formats/xlsx/PackageRelationships.h"
#include "formats/xlsx/SharedStringsParser.h"
#include "formats/xlsx/SharedStringsThread.h"
#include "formats/xlsx/SheetParser.h"
#include "formats/xml/XMLParser.h"
#include "formats/zip/ReadAhead.h"
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
  Expected<zip::MemberStream, zip::ZIPReader::ExtractError> open(std::string_view name) const {
    return zip_.openMember(directory_, name);
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

// A worksheet part, extracted whole or read in pieces as it is parsed. In
// pieces, a DEFLATE stream found damaged part way means the member was not
// readable after all: the workbook is then read again whole, where such a
// member is skipped before anything is parsed.
class SheetMember {
 public:
  enum class Reading { whole, inPieces };

  SheetMember(const Package& package, Reading reading) : package_(package), reading_(reading) {}

  // Opens the member `name`; when it cannot be, it is missing or too large
  // as extracting it would be.
  void open(std::string_view name) {
    if (reading_ == Reading::whole) {
      auto part = package_.member(name);
      if (!part) return close(part.error());
      whole_ = std::move(*part);
    } else {
      auto stream = package_.open(name);
      if (!stream) return close(stream.error());
      stream_.emplace(std::move(*stream));
    }
    state_ = State::open;
  }
  bool isOpen() const { return state_ == State::open; }
  bool missing() const { return state_ == State::missing; }
  bool tooLarge() const { return state_ == State::tooLarge; }

  // The most bytes the part can have (its size, once read whole).
  std::uint64_t sizeLimit() const { return stream_ ? stream_->limit() : whole_.size(); }

  // Parses the part into `handler`, then reads what the parse left: whether
  // the member can be read depends on all of it. False when it could not be.
  bool parse(xml::XMLHandler& handler) {
    if (!stream_) {
      xml::parseXML(whole_, handler);
      size_ = whole_.size();
      whole_ = Bytes{};
      return true;
    }
    {
      // The next pieces inflate while the handler works on this one.
      zip::ReadAhead ahead(*stream_);
      Input input(ahead);
      xml::parseXML(input, handler);
    }
    return drain();
  }
  // Reads the part without parsing it; false when it could not be read.
  bool drain() {
    if (!stream_) return true;
    size_ = 0;
    std::unique_ptr<std::uint8_t[]> sink(new std::uint8_t[kDrainPiece]);
    while (stream_->read(sink.get(), kDrainPiece) != 0) {
    }
    size_ = stream_->produced();
    return !stream_->failed();
  }
  // The part's size, once parsed.
  std::uint64_t size() const { return size_; }

 private:
  enum class State { closed, open, missing, tooLarge };
  static constexpr std::size_t kDrainPiece = std::size_t{1} << 16;

  class Input final : public xml::XMLInput {
   public:
    explicit Input(zip::ReadAhead& stream) : stream_(stream) {}
    std::size_t read(char* out, std::size_t capacity) override {
      return stream_.read(reinterpret_cast<std::uint8_t*>(out), capacity);
    }

   private:
    zip::ReadAhead& stream_;
  };

  void close(zip::ZIPReader::ExtractError error) {
    state_ = error == zip::ZIPReader::ExtractError::tooLarge ? State::tooLarge : State::missing;
    whole_.clear();
    stream_.reset();
  }

  const Package& package_;
  Reading reading_;
  State state_ = State::closed;
  Bytes whole_;
  std::optional<zip::MemberStream> stream_;
  std::uint64_t size_ = 0;
};

// The sheet chosen, or nothing when a member read in pieces turned out not
// to be readable. With `stream` set, the rows of a workbook's only worksheet
// go there as they are read (a choice among several sheets needs their
// tables); what was streamed before a member proved unreadable is the
// caller's to discard.
std::optional<Expected<WorkbookSheet, ReaderError>> readWorkbook(ByteView data, const SheetChoice& choice,
                                                                 SheetMember::Reading reading, RowSink* stream) {
  const zip::ZIPReader archive(data);
  auto directory = archive.readCentralDirectory();
  if (!directory) return unexpected(sheetNotFound());
  Package package(archive, std::move(*directory));

  std::string firstMember(sheet1Name);
  SheetMember first(package, reading);
  first.open(sheet1Name);
  if (first.missing()) {
    if (const auto& name = package.workbookParts().firstSheet) {
      firstMember = *name;
      first.open(*name);
    }
  }
  if (!first.isOpen()) return unexpected(first.tooLarge() ? tooLarge() : sheetNotFound());

  // The shared strings come first: a sheet's cells index the table, which
  // a cell waits for when it is parsed on a second thread.
  auto sharedStrings = package.member(sharedStringsName);
  if (!sharedStrings && sharedStrings.error() == zip::ZIPReader::ExtractError::missing) {
    if (const auto& name = package.workbookParts().sharedStrings) sharedStrings = package.member(*name);
  }
  if (!sharedStrings && sharedStrings.error() == zip::ZIPReader::ExtractError::tooLarge) {
    // An unreadable first sheet is the error to give.
    if (!first.drain()) return std::nullopt;
    return unexpected(tooLarge());
  }
  // The table and the rows view the part, which so stays as long as the rows.
  const auto sharedStringsPart =
      std::make_shared<const Bytes>(sharedStrings ? std::move(*sharedStrings) : Bytes{});
  SharedStringsThread sharedStringsThread(*sharedStringsPart);
  const SharedStringTable& table = sharedStringsThread.table();
  std::uint64_t inputBytes = sharedStringsPart->size();

  // One limit for every sheet read: the text may grow with the parts read,
  // not with the number of sheets. A part read in pieces is bounded by its
  // largest size while it is read, and by its size once that is known.
  std::uint64_t textBytes = 0;
  SheetPicker picker(choice);
  const std::vector<WorksheetPart> order = sheetOrder(firstMember, package.workbookParts());
  if (order.size() != 1) stream = nullptr;
  bool streamed = false;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (!picker.wants(order[i].name)) {
      if (i == 0 && !first.drain()) return std::nullopt;
      continue;
    }
    SheetMember later(package, reading);
    SheetMember& sheet = i == 0 ? first : later;
    if (i > 0) later.open(order[i].member);
    if (sheet.tooLarge()) return unexpected(tooLarge());
    SheetParser parser(table, cellTextLimit(inputBytes + sheet.sizeLimit()) - textBytes, stream);
    parser.viewTextsIn(sharedStringsPart);
    // A sheet listed but absent has no rows.
    if (sheet.isOpen() && !sheet.parse(parser)) return std::nullopt;
    if (stream) {
      stream->endText();
      streamed = true;
    }
    inputBytes += sheet.isOpen() ? sheet.size() : 0;
    textBytes += parser.textBytes();
    if (parser.textLimitExceeded() || textBytes > cellTextLimit(inputBytes)) return unexpected(tooLarge());
    picker.offer(parser.takeRows());
  }
  sharedStringsThread.finish();
  auto sheet = picker.finish(std::string(domain));
  if (sheet) sheet->streamed = streamed;
  return sheet;
}

}  // namespace
}  // namespace tamsel::xlsx

namespace tamsel {

Expected<RowTable, ReaderError> XLSXParser::parse(ByteView data) {
  auto sheet = parseSheet(data, SheetChoice());
  if (!sheet) return unexpected(sheet.error());
  return std::move(sheet->rows);
}

Expected<WorkbookSheet, ReaderError> XLSXParser::parseSheet(ByteView data, const SheetChoice& choice,
                                                            RowSink* stream) {
  try {
    using Reading = xlsx::SheetMember::Reading;
    if (auto sheet = xlsx::readWorkbook(data, choice, Reading::inPieces, stream)) return std::move(*sheet);
    // The read whole skips the member that failed; its table is given, not streamed.
    return std::move(*xlsx::readWorkbook(data, choice, Reading::whole, nullptr));
  } catch (const std::bad_alloc&) {
    return unexpected(xlsx::tooLarge());
  }
}

}  // namespace tamsel
