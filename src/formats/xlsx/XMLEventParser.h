#pragma once

// Runs the XML tokenizer (XMLTokenizer.h) over one XML part and hands its
// element and text events to a handler. Names arrive namespace-expanded:
// "URI" + xmlNameSeparator + "local", or the bare local name when the name has
// no namespace. A DOCTYPE ends the part, so entities are never defined.

#include <string_view>

#include "model/Bytes.h"

namespace tamsel::xml {

inline constexpr char xmlNameSeparator = '\x1F';

struct XMLName {
  std::string_view namespaceURI;  // empty when the name has none
  std::string_view localName;
};

XMLName splitXMLName(const char* expandedName);

// `attributes` alternate name and value and end with a null pointer, as expat
// gives them.
const char* findXMLAttribute(const char** attributes, std::string_view expandedName);

class XMLEventHandler {
 public:
  virtual ~XMLEventHandler() = default;
  virtual void startElement(const char* name, const char** attributes) = 0;
  // One run of text may arrive in several pieces; CDATA sections arrive as text.
  virtual void characters(std::string_view text) = 0;
  virtual void endElement(const char* name) = 0;
  // Asked after every event; true ends the parse there.
  virtual bool stopRequested() const { return false; }
};

// True when the whole part was well-formed and the handler did not stop it.
// On an error the handler has seen every event before it.
bool parseXML(ByteView document, XMLEventHandler& handler);

}  // namespace tamsel::xml
