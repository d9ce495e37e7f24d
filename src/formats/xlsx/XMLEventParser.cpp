#include "formats/xlsx/XMLEventParser.h"

#include <algorithm>
#include <cstring>

#include "formats/xlsx/XMLEventAdapter.h"
#include "formats/xlsx/XMLTokenizer.h"

namespace tamsel::xml {

XMLName splitXMLName(const char* expandedName) {
  // strrchr passes over the long namespace part once, and vectorised; this
  // runs for every element start and end of a sheet.
  const char* separator = std::strrchr(expandedName, xmlNameSeparator);
  if (!separator) return {{}, expandedName};
  return {{expandedName, static_cast<std::size_t>(separator - expandedName)}, separator + 1};
}

const char* findXMLAttribute(const char** attributes, std::string_view expandedName) {
  for (; *attributes; attributes += 2) {
    const char* name = attributes[0];
    std::size_t i = 0;
    while (i < expandedName.size() && name[i] == expandedName[i]) ++i;
    if (i == expandedName.size() && name[i] == '\0') return attributes[1];
  }
  return nullptr;
}

bool parseXML(ByteView document, XMLEventHandler& handler) {
  // The tokenizer refuses a DOCTYPE, so no entity is ever defined, let alone
  // fetched or expanded; documents in other encodings go through expat.
  XMLEventAdapter adapter(handler);
  return tokenizeXML(document, adapter);
}

}  // namespace tamsel::xml
