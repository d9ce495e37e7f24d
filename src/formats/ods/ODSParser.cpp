#include "formats/ods/ODSParser.h"

#include <new>

#include "formats/ods/ODFNames.h"
#include "formats/ods/ODSContentParser.h"
#include "formats/zip/ZIPReader.h"

namespace tamsel {
namespace {

constexpr std::string_view kDomain = "ODSParser";
constexpr std::string_view kManifestURI = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0";

ReaderError odsError(int code, std::string message) { return {std::string(kDomain), code, std::move(message)}; }
ReaderError contentNotFound() { return odsError(1, "Could not find content.xml in the ODS file."); }
ReaderError tooLarge() { return odsError(2, "The ODS file is too large to read."); }
ReaderError passwordProtected() {
  return odsError(4, "The workbook is password-protected. Save it without a password and open it again.");
}

// As for .xlsx: real sheets hold a few times their part's size in cells; a
// table far larger than its part is an attack, not a primer list.
std::uint64_t byteLimit(std::uint64_t contentBytes) { return 16 * contentBytes + (std::uint64_t{64} << 20); }

// The manifest lists encryption data for each part a password protects.
class ManifestScan final : public xml::XMLHandler {
 public:
  void startElement(const xml::XMLElementStart& element) override {
    encrypted_ = encrypted_ || ods::isName(element.name, kManifestURI, "encryption-data");
  }
  void characters(std::string_view) override {}
  void endElement(const xml::XMLName&) override {}
  bool stopRequested() const override { return encrypted_; }
  bool encrypted() const { return encrypted_; }

 private:
  bool encrypted_ = false;
};

Expected<WorkbookSheet, ReaderError> readSpreadsheet(ByteView data, const SheetChoice& choice) {
  const zip::ZIPReader archive(data);
  const auto directory = archive.readCentralDirectory();
  if (!directory) return unexpected(contentNotFound());
  if (auto manifest = archive.extractMember(*directory, "META-INF/manifest.xml")) {
    ManifestScan scan;
    xml::parseXML(*manifest, scan);
    if (scan.encrypted()) return unexpected(passwordProtected());
  }
  auto content = archive.extractMember(*directory, "content.xml");
  if (!content) {
    return unexpected(content.error() == zip::ZIPReader::ExtractError::tooLarge ? tooLarge() : contentNotFound());
  }
  SheetPicker picker(choice);
  ods::ContentParser parser(picker, byteLimit(content->size()));
  xml::parseXML(*content, parser);
  if (parser.limitExceeded()) return unexpected(tooLarge());
  return picker.finish(std::string(kDomain));
}

}  // namespace

Expected<WorkbookSheet, ReaderError> ODSParser::parseSheet(ByteView data, const SheetChoice& choice) {
  try {
    return readSpreadsheet(data, choice);
  } catch (const std::bad_alloc&) {
    return unexpected(tooLarge());
  }
}

}  // namespace tamsel
