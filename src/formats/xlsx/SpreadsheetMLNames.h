#pragma once

// Which namespaces count as SpreadsheetML: elements are matched by local name
// when they are in the main namespace (transitional or strict) or in none,
// whatever prefix the writer chose; elements of other namespaces never match.

#include <string_view>

#include "formats/xml/XMLHandler.h"
#include "formats/xml/XMLNamespaces.h"

namespace tamsel::xlsx {

// The local name of a SpreadsheetML element, or the empty text for an
// element of any other namespace. Inline: sheets ask it for every element.
inline std::string_view spreadsheetMLLocalName(const xml::XMLName& name) {
  // The tokenizer's names point at the shared copies; others are compared.
  const char* uri = name.namespaceURI.data();
  if (uri == xml::kSpreadsheetMLNamespace || uri == xml::kSpreadsheetMLStrictNamespace) return name.localName;
  if (name.namespaceURI.empty() || name.namespaceURI == xml::kSpreadsheetMLNamespace ||
      name.namespaceURI == xml::kSpreadsheetMLStrictNamespace) {
    return name.localName;
  }
  return {};
}

// The same for the package relationship parts (_rels/*.rels).
std::string_view relationshipsLocalName(const xml::XMLName& name);

// True for the namespace of r:id on a workbook's sheet elements.
bool isRelationshipsAttributeNamespace(std::string_view namespaceURI);

}  // namespace tamsel::xlsx
