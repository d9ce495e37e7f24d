#include "formats/xml/XMLParser.h"

namespace tamsel::xml {

bool parseXML(ByteView document, XMLHandler& handler) {
  XMLParseResult result = tokenizeXML(document, handler);
  if (result == XMLParseResult::unsupportedEncoding) result = parseXMLWithExpat(document, handler);
  return result == XMLParseResult::wellFormed;
}

}  // namespace tamsel::xml
