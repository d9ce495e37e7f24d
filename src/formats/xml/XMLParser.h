#pragma once

// Reads one XML document held in memory into an XMLHandler.
//
// UTF-8 documents go through the tokenizer (XMLTokenizer.cpp), written for
// the subset of XML that spreadsheet parts use and several times faster than
// a general parser on large sheets: elements, attributes, character data
// (CDATA sections included), the five predefined entities and character
// references, and namespaces; comments, processing instructions and the XML
// declaration are skipped. Documents in other encodings go through expat,
// which gives the same events and is the reference the tokenizer is checked
// against. A document type declaration is refused by both, so entities are
// never defined, let alone fetched or expanded.
//
// Input that is not well-formed ends the document: the handler has seen the
// events before the fault.

#include <cstddef>
#include <string>

#include "formats/xml/XMLHandler.h"
#include "model/Bytes.h"

namespace tamsel::xml {

// A document that arrives in pieces, such as an archive member as it is
// inflated: each call copies the next bytes to `out`, at most `capacity` of
// them, and returns how many; 0 only at the end.
class XMLInput {
 public:
  virtual ~XMLInput() = default;
  virtual std::size_t read(char* out, std::size_t capacity) = 0;
};

// True when the document was well-formed and read to its end.
bool parseXML(ByteView document, XMLHandler& handler);
// The same events for a document read in pieces; the tokenizer holds only a
// window of it (wider only for a token that does not fit).
bool parseXML(XMLInput& input, XMLHandler& handler);

enum class XMLParseResult {
  wellFormed,
  malformed,            // events stop before the first fault
  doctypeRefused,       // a <!DOCTYPE: no event after it
  unsupportedEncoding,  // not UTF-8 (tokenizer only): nothing was reported
  stopped,              // the handler asked to stop
};

// The two readers behind parseXML. Their events are equal on every
// well-formed UTF-8 document without a DOCTYPE, with runs of character data
// possibly cut differently.
XMLParseResult tokenizeXML(ByteView document, XMLHandler& handler);
// On unsupportedEncoding, `document` (when given) receives the whole document.
XMLParseResult tokenizeXML(XMLInput& input, XMLHandler& handler, std::string* document = nullptr);
XMLParseResult parseXMLWithExpat(ByteView document, XMLHandler& handler);

}  // namespace tamsel::xml
