#include "formats/xlsx/SpreadsheetMLNames.h"

#include "formats/xml/XMLNamespaces.h"

namespace tamsel::xlsx {

std::string_view spreadsheetMLLocalName(const xml::XMLName& name) {
  // The tokenizer's names point at the shared copies; others are compared.
  const char* uri = name.namespaceURI.data();
  if (uri == xml::kSpreadsheetMLNamespace || uri == xml::kSpreadsheetMLStrictNamespace) return name.localName;
  if (name.namespaceURI.empty() || name.namespaceURI == xml::kSpreadsheetMLNamespace ||
      name.namespaceURI == xml::kSpreadsheetMLStrictNamespace) {
    return name.localName;
  }
  return {};
}

std::string_view relationshipsLocalName(const xml::XMLName& name) {
  if (name.namespaceURI.empty() || xml::isNamespace(name.namespaceURI, xml::kPackageRelationshipsNamespace)) {
    return name.localName;
  }
  return {};
}

bool isRelationshipsAttributeNamespace(std::string_view namespaceURI) {
  return xml::isNamespace(namespaceURI, xml::kRelationshipsNamespace) ||
         xml::isNamespace(namespaceURI, xml::kRelationshipsStrictNamespace);
}

}  // namespace tamsel::xlsx
