#pragma once

// The SpreadsheetML main namespaces. The tokenizer hands out views of these
// very arrays for them, so matching an element's namespace is mostly a test
// of one pointer rather than a comparison of sixty bytes per element.

#include <string_view>

namespace tamsel::xml {

inline constexpr char kSpreadsheetMLTransitionalURI[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr char kSpreadsheetMLStrictURI[] = "http://purl.oclc.org/ooxml/spreadsheetml/main";

// The shared copy of `uri` when it is one of the namespaces above, else `uri`.
inline std::string_view canonicalNamespaceURI(std::string_view uri) {
  if (uri == kSpreadsheetMLTransitionalURI) return kSpreadsheetMLTransitionalURI;
  if (uri == kSpreadsheetMLStrictURI) return kSpreadsheetMLStrictURI;
  return uri;
}

}  // namespace tamsel::xml
