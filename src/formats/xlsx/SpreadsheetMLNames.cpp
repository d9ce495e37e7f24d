#include "formats/xlsx/SpreadsheetMLNames.h"

#include "formats/xlsx/XMLEventParser.h"
#include "formats/xlsx/XMLNamespaceURIs.h"

namespace tamsel::xlsx {
namespace {

constexpr std::string_view transitionalMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view strictMain = "http://purl.oclc.org/ooxml/spreadsheetml/main";
constexpr std::string_view packageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr std::string_view transitionalRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view strictRelationships = "http://purl.oclc.org/ooxml/officeDocument/relationships";

}  // namespace

std::string_view spreadsheetMLLocalName(const char* expandedName) {
  const xml::XMLName name = xml::splitXMLName(expandedName);
  if (name.namespaceURI.empty() || name.namespaceURI == transitionalMain || name.namespaceURI == strictMain) {
    return name.localName;
  }
  return {};
}

std::string_view spreadsheetMLLocalName(const xml::XMLQualifiedName& name) {
  // The tokenizer's names point at the shared copies; others are compared.
  const char* uri = name.namespaceURI.data();
  if (uri == xml::kSpreadsheetMLTransitionalURI || uri == xml::kSpreadsheetMLStrictURI) return name.localName;
  if (name.namespaceURI.empty() || name.namespaceURI == transitionalMain || name.namespaceURI == strictMain) {
    return name.localName;
  }
  return {};
}

std::string_view relationshipsLocalName(const char* expandedName) {
  const xml::XMLName name = xml::splitXMLName(expandedName);
  if (name.namespaceURI.empty() || name.namespaceURI == packageRelationships) return name.localName;
  return {};
}

bool isRelationshipsAttributeNamespace(std::string_view namespaceURI) {
  return namespaceURI == transitionalRelationships || namespaceURI == strictRelationships;
}

}  // namespace tamsel::xlsx
