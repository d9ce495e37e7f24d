// Differential fuzzing of the XML tokenizer against expat: on every input
// expat reads as well-formed (UTF-8, no DOCTYPE), the tokenizer must also
// read it as well-formed and report the same events, runs of character data
// compared whole.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "XMLEventLog.h"
#include "formats/xml/XMLParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tamsel::ByteView document(data, size);
  tamsel::fuzz::XMLEventLog expected;
  if (tamsel::xml::parseXMLWithExpat(document, expected) != tamsel::xml::XMLParseResult::wellFormed) return 0;
  tamsel::fuzz::XMLEventLog actual;
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
