#pragma once

// A tokenizer for the subset of XML that SpreadsheetML parts use, several
// times faster than a general parser on large sheets: elements, attributes,
// character data (CDATA sections included), the five predefined entities and
// character references, and namespaces. Comments, processing instructions and
// the XML declaration are skipped. A document type declaration is refused
// outright, so entity definitions never come into play.
//
// Its events equal expat's (XML_ParserCreateNS) on every well-formed UTF-8
// document without a DOCTYPE, with runs of character data possibly cut
// differently. Input that is not well-formed ends the document: the handler
// has seen the events before the fault. A document in another encoding is
// read through expat instead (parseXMLWithExpat).

#include <optional>
#include <span>
#include <string_view>

#include "model/Bytes.h"

namespace tamsel::xml {

struct XMLQualifiedName {
  std::string_view namespaceURI;  // empty when the name is in no namespace
  std::string_view localName;
  friend bool operator==(const XMLQualifiedName&, const XMLQualifiedName&) = default;
};

struct XMLAttribute {
  XMLQualifiedName name;  // namespace declarations are not reported
  std::string_view value;  // entities decoded, white space normalised
};

struct XMLElementStart {
  XMLQualifiedName name;
  std::span<const XMLAttribute> attributes;
};

// Views handed to a handler are valid during the call only.
class XMLTokenHandler {
 public:
  virtual ~XMLTokenHandler() = default;
  virtual void startElement(const XMLElementStart& element) = 0;
  // One run of text may arrive in several pieces.
  virtual void characters(std::string_view text) = 0;
  virtual void endElement(const XMLQualifiedName& name) = 0;
  // Asked after every event; true ends the document there.
  virtual bool stopRequested() const { return false; }
};

enum class XMLTokenizeResult {
  wellFormed,
  malformed,            // events stop before the first fault
  doctypeRefused,       // a <!DOCTYPE: no event after it
  unsupportedEncoding,  // not UTF-8: nothing was reported
  stopped,              // the handler asked to stop
};

// Tokenizes a whole document held in memory.
XMLTokenizeResult tokenizeXMLDocument(ByteView document, XMLTokenHandler& handler);

// The same events through expat: the reference the tokenizer is checked
// against, and the reader of documents in other encodings. A DOCTYPE is
// refused here too.
XMLTokenizeResult parseXMLWithExpat(ByteView document, XMLTokenHandler& handler);

// What the readers call: the tokenizer, or expat for a document that is not
// UTF-8. True when the document was well-formed and read to its end.
bool tokenizeXML(ByteView document, XMLTokenHandler& handler);
inline bool parseXML(ByteView document, XMLTokenHandler& handler) { return tokenizeXML(document, handler); }

// The value of the attribute `localName` in no namespace, if present.
inline std::optional<std::string_view> findAttribute(std::span<const XMLAttribute> attributes,
                                                     std::string_view localName) {
  for (const XMLAttribute& attribute : attributes) {
    if (attribute.name.localName == localName && attribute.name.namespaceURI.empty()) return attribute.value;
  }
  return std::nullopt;
}

}  // namespace tamsel::xml
