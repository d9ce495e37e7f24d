#pragma once

// The OpenDocument namespaces the spreadsheet reader matches elements and
// attributes in; the prefixes a document binds to them do not matter.

#include <string_view>

#include "formats/xml/XMLHandler.h"

namespace tamsel::ods {

inline constexpr std::string_view kOfficeURI = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
inline constexpr std::string_view kTableURI = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
inline constexpr std::string_view kTextURI = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
inline constexpr std::string_view kDrawURI = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0";

inline bool isName(const xml::XMLName& name, std::string_view uri, std::string_view local) {
  return name.localName == local && name.namespaceURI == uri;
}

}  // namespace tamsel::ods
