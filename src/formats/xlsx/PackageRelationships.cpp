#include "formats/xlsx/PackageRelationships.h"

#include "formats/xlsx/SpreadsheetMLNames.h"
#include "formats/xlsx/XMLEventParser.h"

namespace tamsel::xlsx {
namespace {

std::string attributeText(const char** attributes, std::string_view name) {
  const char* value = xml::findXMLAttribute(attributes, name);
  return value ? value : "";
}

class RelationshipsHandler final : public xml::XMLEventHandler {
 public:
  void startElement(const char* name, const char** attributes) override {
    if (relationshipsLocalName(name) != "Relationship") return;
    relationships.push_back(PackageRelationship{attributeText(attributes, "Id"), attributeText(attributes, "Type"),
                                                attributeText(attributes, "Target"),
                                                attributeText(attributes, "TargetMode") == "External"});
  }
  void characters(std::string_view) override {}
  void endElement(const char*) override {}

  std::vector<PackageRelationship> relationships;
};

class FirstSheetHandler final : public xml::XMLEventHandler {
 public:
  void startElement(const char* name, const char** attributes) override {
    const std::string_view local = spreadsheetMLLocalName(name);
    if (local == "sheets") {
      ++sheetsDepth_;
    } else if (local == "sheet" && sheetsDepth_ > 0 && !seenSheet_) {
      seenSheet_ = true;
      relationshipId = relationshipIdOf(attributes);
    }
  }
  void characters(std::string_view) override {}
  void endElement(const char* name) override {
    if (spreadsheetMLLocalName(name) == "sheets" && sheetsDepth_ > 0) --sheetsDepth_;
  }

  std::optional<std::string> relationshipId;

 private:
  static std::optional<std::string> relationshipIdOf(const char** attributes) {
    for (; *attributes; attributes += 2) {
      const xml::XMLName name = xml::splitXMLName(attributes[0]);
      if (name.localName == "id" && isRelationshipsAttributeNamespace(name.namespaceURI)) return attributes[1];
    }
    return std::nullopt;
  }

  int sheetsDepth_ = 0;
  bool seenSheet_ = false;
};

}  // namespace

std::vector<PackageRelationship> parseRelationships(ByteView part) {
  RelationshipsHandler handler;
  xml::parseXML(part, handler);
  return std::move(handler.relationships);
}

std::optional<std::string> firstSheetRelationshipId(ByteView workbookPart) {
  FirstSheetHandler handler;
  xml::parseXML(workbookPart, handler);
  return std::move(handler.relationshipId);
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
