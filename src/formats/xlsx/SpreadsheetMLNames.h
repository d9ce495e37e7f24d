#pragma once

// Which namespaces count as SpreadsheetML: elements are matched by local name
// when they are in the main namespace (transitional or strict) or in none,
// whatever prefix the writer chose; elements of other namespaces never match.

#include <string_view>

#include "formats/xlsx/XMLTokenizer.h"

namespace tamsel::xlsx {

// The local name of a SpreadsheetML element, or the empty text for an
// element of any other namespace. `expandedName` is as expat gives it.
std::string_view spreadsheetMLLocalName(const char* expandedName);
std::string_view spreadsheetMLLocalName(const xml::XMLQualifiedName& name);

// The same for the package relationship parts (_rels/*.rels).
std::string_view relationshipsLocalName(const char* expandedName);

// True for the namespace of r:id on a workbook's sheet elements.
bool isRelationshipsAttributeNamespace(std::string_view namespaceURI);

}  // namespace tamsel::xlsx
