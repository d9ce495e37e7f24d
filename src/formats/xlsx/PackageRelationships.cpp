#include "formats/xlsx/PackageRelationships.h"

#include "formats/xlsx/SpreadsheetMLNames.h"
#include "formats/xml/XMLParser.h"

namespace tamsel::xlsx {
namespace {

using xml::XMLAttribute;
using xml::XMLElementStart;
using xml::XMLName;

std::string attributeText(std::span<const XMLAttribute> attributes, std::string_view name) {
  return std::string(xml::findAttribute(attributes, name).value_or(""));
}

class RelationshipsParser final : public xml::XMLHandler {
 public:
  void startElement(const XMLElementStart& element) override {
    if (relationshipsLocalName(element.name) != "Relationship") return;
    const auto attributes = element.attributes;
    relationships.push_back(PackageRelationship{attributeText(attributes, "Id"), attributeText(attributes, "Type"),
                                                attributeText(attributes, "Target"),
                                                attributeText(attributes, "TargetMode") == "External"});
  }
  void characters(std::string_view) override {}
  void endElement(const XMLName&) override {}

  std::vector<PackageRelationship> relationships;
};

class WorkbookSheetsParser final : public xml::XMLHandler {
 public:
  void startElement(const XMLElementStart& element) override {
    const std::string_view local = spreadsheetMLLocalName(element.name);
    if (local == "sheets") {
      ++sheetsDepth_;
    } else if (local == "sheet" && sheetsDepth_ > 0) {
      sheets.push_back({attributeText(element.attributes, "name"), relationshipIDOf(element.attributes)});
    }
  }
  void characters(std::string_view) override {}
  void endElement(const XMLName& name) override {
    if (spreadsheetMLLocalName(name) == "sheets" && sheetsDepth_ > 0) --sheetsDepth_;
  }

  std::vector<WorkbookSheetEntry> sheets;

 private:
  static std::optional<std::string> relationshipIDOf(std::span<const XMLAttribute> attributes) {
    for (const XMLAttribute& attribute : attributes) {
      if (attribute.name.localName == "id" && isRelationshipsAttributeNamespace(attribute.name.namespaceURI)) {
        return std::string(attribute.value);
      }
    }
    return std::nullopt;
  }

  int sheetsDepth_ = 0;
};

}  // namespace

std::vector<PackageRelationship> parseRelationships(ByteView part) {
  RelationshipsParser handler;
  xml::parseXML(part, handler);
  return std::move(handler.relationships);
}

std::vector<WorkbookSheetEntry> workbookSheets(ByteView workbookPart) {
  WorkbookSheetsParser handler;
  xml::parseXML(workbookPart, handler);
  return std::move(handler.sheets);
}

std::string relationshipsPartName(std::string_view partName) {
  const std::size_t slash = partName.rfind('/');
  const std::string_view folder = slash == std::string_view::npos ? "" : partName.substr(0, slash + 1);
  const std::string_view file = slash == std::string_view::npos ? partName : partName.substr(slash + 1);
  std::string name(folder);
  name += "_rels/";
  name += file;
  name += ".rels";
  return name;
}

std::string resolveRelationshipTarget(std::string_view sourcePart, std::string_view target) {
  std::string path;
  if (target.empty() || (target.front() != '/' && target.front() != '\\')) {
    const std::size_t slash = sourcePart.rfind('/');
    if (slash != std::string_view::npos) path = sourcePart.substr(0, slash + 1);
  }
  path += target;

  std::vector<std::string_view> segments;
  std::string_view rest = path;
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of("/\\");
    const std::string_view segment = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
      continue;
    }
    segments.push_back(segment);
  }
  std::string resolved;
  for (const std::string_view segment : segments) {
    if (!resolved.empty()) resolved += '/';
    resolved += segment;
  }
  return resolved;
}

}  // namespace tamsel::xlsx
