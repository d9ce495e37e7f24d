#include "formats/xml/XMLParser.h"

namespace tamsel::xml {

bool parseXML(ByteView document, XMLHandler& handler) {
  XMLParseResult result = tokenizeXML(document, handler);
  if (result == XMLParseResult::unsupportedEncoding) result = parseXMLWithExpat(document, handler);
  return result == XMLParseResult::wellFormed;
}

bool parseXML(XMLInput& input, XMLHandler& handler) {
  std::string document;
  XMLParseResult result = tokenizeXML(input, handler, &document);
  if (result == XMLParseResult::unsupportedEncoding) result = parseXMLWithExpat(asBytes(document), handler);
  return result == XMLParseResult::wellFormed;
}

}  // namespace tamsel::xml
