// Differential fuzzing of the XML tokenizer against expat: on every input
// expat reads as well-formed (UTF-8, no DOCTYPE), the tokenizer must also
// read it as well-formed and report the same events, runs of character data
// compared whole.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "formats/xml/XMLParser.h"

namespace {

// The events as one text; adjacent character pieces merge into one run.
class EventLog final : public tamsel::xml::XMLHandler {
 public:
  void startElement(const tamsel::xml::XMLElementStart& element) override {
    flushText();
    log_ += "<";
    appendName(element.name);
    for (const tamsel::xml::XMLAttribute& attribute : element.attributes) {
      log_ += " ";
      appendName(attribute.name);
      log_ += "=[";
      log_.append(attribute.value);
      log_ += "]";
    }
    log_ += ">\n";
  }
  void characters(std::string_view text) override { text_.append(text); }
  void endElement(const tamsel::xml::XMLName& name) override {
    flushText();
    log_ += "</";
    appendName(name);
    log_ += ">\n";
  }
  const std::string& finish() {
    flushText();
    return log_;
  }

 private:
  void appendName(const tamsel::xml::XMLName& name) {
    log_ += "{";
    log_.append(name.namespaceURI);
    log_ += "}";
    log_.append(name.localName);
  }
  void flushText() {
    if (text_.empty()) return;
    log_ += "text[" + text_ + "]\n";
    text_.clear();
  }
  std::string log_;
  std::string text_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tamsel::ByteView document(data, size);
  EventLog expected;
  if (tamsel::xml::parseXMLWithExpat(document, expected) != tamsel::xml::XMLParseResult::wellFormed) return 0;
  EventLog actual;
  const tamsel::xml::XMLParseResult result = tamsel::xml::tokenizeXML(document, actual);
  if (result == tamsel::xml::XMLParseResult::unsupportedEncoding) return 0;  // read through expat anyway
  const std::string& want = expected.finish();
  const std::string& got = actual.finish();
  if (result != tamsel::xml::XMLParseResult::wellFormed || want != got) {
    std::fprintf(stderr, "tokenizer differs from expat (result %d)\nexpat:\n%s\ntokenizer:\n%s\n",
                 static_cast<int>(result), want.c_str(), got.c_str());
    std::abort();
  }
  return 0;
}
