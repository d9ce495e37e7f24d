#include "formats/xlsx/XMLTokenizer.h"

#include <gtest/gtest.h>

#include "formats/xlsx/XMLNamespaceURIs.h"

#include <string>
#include <vector>

namespace tamsel {
namespace {

constexpr std::string_view kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// The events as text lines; adjacent character pieces merge into one run.
class EventLog final : public XMLTokenHandler {
 public:
  void startElement(const XMLElementStart& element) override {
    flush();
    std::string line = "<";
    line += name(element.name);
    for (const XMLAttribute& attribute : element.attributes) {
      line += ' ';
      line += name(attribute.name);
      line += "=[";
      line += attribute.value;
      line += ']';
    }
    line += '>';
    lines_.push_back(line);
  }
  void characters(std::string_view text) override { text_.append(text); }
  void endElement(const XMLQualifiedName& element) override {
    flush();
    std::string line = "</";
    line += name(element);
    line += '>';
    lines_.push_back(line);
  }
  std::vector<std::string> lines() {
    flush();
    return lines_;
  }

 private:
  static std::string name(const XMLQualifiedName& qualified) {
    if (qualified.namespaceURI.empty()) return std::string(qualified.localName);
    std::string text = "{";
    text += qualified.namespaceURI == kMain ? std::string_view("main") : qualified.namespaceURI;
    text += '}';
    text += qualified.localName;
    return text;
  }
  void flush() {
    if (!text_.empty()) {
      std::string line = "text[";
      line += text_;
      line += ']';
      lines_.push_back(line);
    }
    text_.clear();
  }
  std::vector<std::string> lines_;
  std::string text_;
};

struct Tokenized {
  XMLTokenizeResult result;
  std::vector<std::string> events;
};

Tokenized tokenize(std::string_view document) {
  EventLog log;
  const XMLTokenizeResult result = tokenizeXMLDocument(asBytes(document), log);
  return {result, log.lines()};
}

Tokenized withExpat(std::string_view document) {
  EventLog log;
  const XMLTokenizeResult result = parseXMLWithExpat(asBytes(document), log);
  return {result, log.lines()};
}

using Lines = std::vector<std::string>;

TEST(XMLTokenizerTest, ElementsAttributesAndNamespaces) {
  const std::string document =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<worksheet xmlns=\"" + std::string(kMain) + "\" xmlns:r=\"urn:r\">"
      "<c r=\"A1\" t='s' r:id=\"x\" xml:space=\"preserve\"/>"
      "<r:e><f xmlns=\"\"/></r:e><x:g xmlns:x=\"urn:x\"></x:g></worksheet >";
  const Tokenized tokenized = tokenize(document);
  EXPECT_EQ(tokenized.result, XMLTokenizeResult::wellFormed);
  EXPECT_EQ(tokenized.events,
            (Lines{"<{main}worksheet>", "<{main}c r=[A1] t=[s] {urn:r}id=[x] {http://www.w3.org/XML/1998/namespace}space=[preserve]>",
                   "</{main}c>", "<{urn:r}e>", "<f>", "</f>", "</{urn:r}e>", "<{urn:x}g>", "</{urn:x}g>",
                   "</{main}worksheet>"}));
  EXPECT_EQ(withExpat(document).events, tokenized.events);
}

// Names in the SpreadsheetML namespaces view the shared copies of their URIs,
// whichever prefix declared them; other namespaces view their declarations.
TEST(XMLTokenizerTest, SpreadsheetMLNamespacesComeAsTheSharedCopies) {
  struct Names final : XMLTokenHandler {
    void startElement(const XMLElementStart& element) override { uris.push_back(element.name.namespaceURI.data()); }
    void characters(std::string_view) override {}
    void endElement(const XMLQualifiedName&) override {}
    std::vector<const char*> uris;
  } names;
  const std::string document = "<a xmlns=\"" + std::string(kSpreadsheetMLTransitionalURI) + "\"><x:b xmlns:x=\"" +
                               std::string(kSpreadsheetMLStrictURI) + "\"/><c xmlns=\"urn:other\"/></a>";
  ASSERT_EQ(tokenizeXMLDocument(asBytes(document), names), XMLTokenizeResult::wellFormed);
  ASSERT_EQ(names.uris.size(), 3u);
  EXPECT_EQ(names.uris[0], kSpreadsheetMLTransitionalURI);
  EXPECT_EQ(names.uris[1], kSpreadsheetMLStrictURI);
  EXPECT_NE(names.uris[2], nullptr);
  EXPECT_EQ(std::string_view(names.uris[2], 9), "urn:other");
}

TEST(XMLTokenizerTest, CharacterDataReferencesCDATAAndLineEnds) {
  const std::string document =
      "<t>a &amp; &lt;b&gt; &quot;&apos; &#65;&#x42;&#x20AC;&#128512; ] ]]&gt;\r\nx\ry"
      "<![CDATA[<i>&amp;\r\n]]]]><!-- skipped --><?pi skipped?>z</t>";
  const Tokenized tokenized = tokenize(document);
  EXPECT_EQ(tokenized.result, XMLTokenizeResult::wellFormed);
  EXPECT_EQ(tokenized.events,
            (Lines{"<t>", "text[a & <b> \"' AB\xE2\x82\xAC\xF0\x9F\x98\x80 ] ]]>\nx\ny<i>&amp;\n]]z]", "</t>"}));
  EXPECT_EQ(withExpat(document).events, tokenized.events);
}

TEST(XMLTokenizerTest, AttributeValuesAreDecodedAndNormalised) {
  const std::string document = "<a v=\"1\t2\n3\r\n4\r5 &#9;&#10;&amp;&lt;'\" w='\"'/>";
  const Tokenized tokenized = tokenize(document);
  EXPECT_EQ(tokenized.result, XMLTokenizeResult::wellFormed);
  EXPECT_EQ(tokenized.events, (Lines{"<a v=[1 2 3 4 5 \t\n&<'] w=[\"]>", "</a>"}));
  EXPECT_EQ(withExpat(document).events, tokenized.events);
}

TEST(XMLTokenizerTest, ByteOrderMarkCommentsAndInstructionsAroundTheRoot) {
  const std::string document = "\xEF\xBB\xBF<?xml version='1.0'?><!-- a --><?p?>\n<r/>\n<!-- b --><?q x?> ";
  const Tokenized tokenized = tokenize(document);
  EXPECT_EQ(tokenized.result, XMLTokenizeResult::wellFormed);
  EXPECT_EQ(tokenized.events, (Lines{"<r>", "</r>"}));
}

TEST(XMLTokenizerTest, DoctypeIsRefusedBeforeAnyEvent) {
  const std::string document = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e \"boom\">]><r>&e;</r>";
  const Tokenized tokenized = tokenize(document);
  EXPECT_EQ(tokenized.result, XMLTokenizeResult::doctypeRefused);
  EXPECT_TRUE(tokenized.events.empty());
  EXPECT_EQ(withExpat(document).result, XMLTokenizeResult::doctypeRefused);
}

// Every fault ends the document with the events before it; expat agrees that
// none of these is well-formed.
TEST(XMLTokenizerTest, MalformedInputEndsWithTheEventsBeforeTheFault) {
  const struct {
    std::string document;
    Lines events;
  } cases[] = {
      {"<r><a></b></r>", {"<r>", "<a>"}},
      {"<r><a>text", {"<r>", "<a>", "text[text]"}},
      {"<r>&nbsp;</r>", {"<r>"}},
      {"<r>&#0;</r>", {"<r>"}},
      {"<r>&#xD800;</r>", {"<r>"}},
      {"<r><p:a/></r>", {"<r>"}},
      {"<r a='1' a='2'/>", {}},
      {"<r xmlns:p='u' xmlns:q='u' p:a='1' q:a='2'/>", {}},
      {"<r xmlns:p=''/>", {}},
      {"<r>a]]>b</r>", {"<r>"}},
      {"<r/>text", {"<r>", "</r>"}},
      {"<r/><s/>", {"<r>", "</r>"}},
      {"text<r/>", {}},
      {"", {}},
      {"<r a=1/>", {}},
      {"<r a='<'/>", {}},
      {"<r><!-- a -- b --></r>", {"<r>"}},
      {"<r><?xml version='1.0'?></r>", {"<r>"}},
      {std::string("<r>a\x01</r>"), {"<r>", "text[a]"}},
      {"<r>a\xC3(</r>", {"<r>", "text[a]"}},
      {"<r>\xED\xA0\x80</r>", {"<r>"}},
      {"<r><a b='1'c='2'/></r>", {"<r>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.document);
    const Tokenized tokenized = tokenize(c.document);
    EXPECT_EQ(tokenized.result, XMLTokenizeResult::malformed);
    EXPECT_EQ(tokenized.events, c.events);
    EXPECT_EQ(withExpat(c.document).result, XMLTokenizeResult::malformed);
  }
}

TEST(XMLTokenizerTest, OtherEncodingsAreReadThroughExpat) {
  const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><t>caf\xE9</t>";
  EXPECT_EQ(tokenize(latin1).result, XMLTokenizeResult::unsupportedEncoding);
  EventLog log;
  EXPECT_TRUE(tokenizeXML(asBytes(latin1), log));
  EXPECT_EQ(log.lines(), (Lines{"<t>", "text[caf\xC3\xA9]", "</t>"}));

  const std::string utf16("\xFF\xFE<\0r\0/\0>\0", 10);
  EXPECT_EQ(tokenize(utf16).result, XMLTokenizeResult::unsupportedEncoding);
  EventLog log16;
  EXPECT_TRUE(tokenizeXML(asBytes(utf16), log16));
  EXPECT_EQ(log16.lines(), (Lines{"<r>", "</r>"}));
}

}  // namespace
}  // namespace tamsel
