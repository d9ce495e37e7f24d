#pragma once

// The namespace URIs the readers match, each defined once. The tokenizer
// hands out views of these very arrays for them, so that matching a name's
// namespace is mostly a test of one pointer rather than a comparison of
// sixty bytes per element; names read through expat carry their own copies
// and are compared by text.

#include <string_view>

namespace tamsel::xml {

// Reserved by XML itself.
inline constexpr char kXMLNamespace[] = "http://www.w3.org/XML/1998/namespace";
inline constexpr char kXMLNSNamespace[] = "http://www.w3.org/2000/xmlns/";

// SpreadsheetML, transitional and strict.
inline constexpr char kSpreadsheetMLNamespace[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr char kSpreadsheetMLStrictNamespace[] = "http://purl.oclc.org/ooxml/spreadsheetml/main";
// The package's relationship parts (_rels/*.rels).
inline constexpr char kPackageRelationshipsNamespace[] =
    "http://schemas.openxmlformats.org/package/2006/relationships";
// Relationship attributes inside a part (r:id), transitional and strict.
inline constexpr char kRelationshipsNamespace[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr char kRelationshipsStrictNamespace[] = "http://purl.oclc.org/ooxml/officeDocument/relationships";

// The shared copy of `uri` when it is one of the namespaces above, else `uri`.
inline std::string_view canonicalNamespace(std::string_view uri) {
  for (const char* known : {kSpreadsheetMLNamespace, kSpreadsheetMLStrictNamespace, kPackageRelationshipsNamespace,
                            kRelationshipsNamespace, kRelationshipsStrictNamespace}) {
    if (uri == known) return known;
  }
  return uri;
}

// Whether `uri` (as a name carries it) is the namespace `known`, one of the
// arrays above.
inline bool isNamespace(std::string_view uri, const char* known) {
  return uri.data() == known || uri == known;
}

}  // namespace tamsel::xml
