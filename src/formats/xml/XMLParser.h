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

#include "formats/xml/XMLHandler.h"
#include "model/Bytes.h"

namespace tamsel::xml {

// True when the document was well-formed and read to its end.
bool parseXML(ByteView document, XMLHandler& handler);

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
XMLParseResult parseXMLWithExpat(ByteView document, XMLHandler& handler);

}  // namespace tamsel::xml
