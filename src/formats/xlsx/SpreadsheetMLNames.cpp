#include "formats/xlsx/SpreadsheetMLNames.h"

#include "formats/xml/XMLNamespaces.h"

namespace tamsel::xlsx {

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
