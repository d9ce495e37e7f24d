#include "formats/xlsx/XMLEventParser.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace tamsel {
namespace {

struct ParserDeleter {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

struct ParseContext {
  XMLEventHandler* handler;
  XML_Parser parser;
  bool outOfMemory = false;
};

// An exception must not unwind through expat's C frames: it is caught here,
// the parse is stopped, and parseXML throws it again once expat has returned.
template <class Event>
void deliver(void* userData, Event&& event) {
  auto* context = static_cast<ParseContext*>(userData);
  try {
    event(*context->handler);
    if (context->handler->stopRequested()) XML_StopParser(context->parser, XML_FALSE);
  } catch (const std::bad_alloc&) {
    context->outOfMemory = true;
    XML_StopParser(context->parser, XML_FALSE);
  }
}

void XMLCALL onStart(void* context, const XML_Char* name, const XML_Char** attributes) {
  deliver(context, [&](XMLEventHandler& handler) { handler.startElement(name, attributes); });
}

void XMLCALL onEnd(void* context, const XML_Char* name) {
  deliver(context, [&](XMLEventHandler& handler) { handler.endElement(name); });
}

void XMLCALL onText(void* context, const XML_Char* text, int length) {
  deliver(context, [&](XMLEventHandler& handler) { handler.characters({text, static_cast<std::size_t>(length)}); });
}

}  // namespace

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
  std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreateNS(nullptr, xmlNameSeparator));
  if (!parser) return false;
  // No handler for external entities is set, so none is ever fetched; the
  // external DTD subset and parameter entities are not read either.
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
  ParseContext context{&handler, parser.get()};
  XML_SetUserData(parser.get(), &context);
  XML_SetElementHandler(parser.get(), onStart, onEnd);
  XML_SetCharacterDataHandler(parser.get(), onText);

  // expat takes lengths as int; large parts go in pieces.
  constexpr std::size_t pieceSize = std::size_t{1} << 30;
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min(pieceSize, document.size() - offset);
    const bool last = offset + length == document.size();
    const char* piece = reinterpret_cast<const char*>(document.data()) + offset;
    const XML_Status status = XML_Parse(parser.get(), piece, static_cast<int>(length), last);
    if (context.outOfMemory) throw std::bad_alloc();
    if (status != XML_STATUS_OK) return false;
    offset += length;
  } while (offset < document.size());
  return true;
}

}  // namespace tamsel
