// parseXMLWithExpat: expat driven to give the tokenizer's events, for
// documents in encodings other than UTF-8 and as the reference the
// tokenizer is checked against. expat joins a name's namespace URI and local
// name with a separator; they are taken apart here, before any handler.

#include <expat.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "formats/xml/XMLParser.h"

namespace tamsel::xml {
namespace {

constexpr char kSeparator = '\x1F';

XMLName splitName(const char* expanded) {
  const std::string_view name(expanded);
  const std::size_t separator = name.rfind(kSeparator);
  if (separator == std::string_view::npos) return {{}, name};
  return {name.substr(0, separator), name.substr(separator + 1)};
}

struct Context {
  XMLHandler* handler;
  XML_Parser parser;
  std::vector<XMLAttribute> attributes;
  std::exception_ptr exception;
  bool doctype = false;
  bool stopped = false;
};

// No exception may unwind through expat's C frames: it waits here until
// expat has returned.
template <class Event>
void deliver(void* userData, Event&& event) {
  auto* context = static_cast<Context*>(userData);
  try {
    event(*context);
    if (context->handler->stopRequested()) {
      context->stopped = true;
      XML_StopParser(context->parser, XML_FALSE);
    }
  } catch (...) {
    context->exception = std::current_exception();
    XML_StopParser(context->parser, XML_FALSE);
  }
}

void XMLCALL onStart(void* userData, const XML_Char* name, const XML_Char** attributes) {
  deliver(userData, [&](Context& context) {
    context.attributes.clear();
    for (; *attributes; attributes += 2) context.attributes.push_back({splitName(attributes[0]), attributes[1]});
    context.handler->startElement({splitName(name), context.attributes});
  });
}

void XMLCALL onEnd(void* userData, const XML_Char* name) {
  deliver(userData, [&](Context& context) { context.handler->endElement(splitName(name)); });
}

void XMLCALL onText(void* userData, const XML_Char* text, int length) {
  deliver(userData, [&](Context& context) {
    context.handler->characters({text, static_cast<std::size_t>(length)});
  });
}

void XMLCALL onDoctype(void* userData, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  auto* context = static_cast<Context*>(userData);
  context->doctype = true;
  XML_StopParser(context->parser, XML_FALSE);
}

struct ParserDeleter {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

}  // namespace

XMLParseResult parseXMLWithExpat(ByteView document, XMLHandler& handler) {
  std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreateNS(nullptr, kSeparator));
  if (!parser) throw std::bad_alloc();
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
  Context context{&handler, parser.get(), {}, nullptr};
  XML_SetUserData(parser.get(), &context);
  XML_SetElementHandler(parser.get(), onStart, onEnd);
  XML_SetCharacterDataHandler(parser.get(), onText);
  XML_SetStartDoctypeDeclHandler(parser.get(), onDoctype);

  // expat takes lengths as int; large documents go in pieces.
  constexpr std::size_t kPieceSize = std::size_t{1} << 30;
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min(kPieceSize, document.size() - offset);
    const bool last = offset + length == document.size();
    const char* piece = reinterpret_cast<const char*>(document.data()) + offset;
    const XML_Status status = XML_Parse(parser.get(), piece, static_cast<int>(length), last);
    if (context.exception) std::rethrow_exception(context.exception);
    if (context.doctype) return XMLParseResult::doctypeRefused;
    if (context.stopped) return XMLParseResult::stopped;
    if (status != XML_STATUS_OK) return XMLParseResult::malformed;
    offset += length;
  } while (offset < document.size());
  return XMLParseResult::wellFormed;
}

}  // namespace tamsel::xml
