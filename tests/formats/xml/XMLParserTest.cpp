#include "formats/xml/XMLParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>


namespace tamsel::xml {
namespace {

constexpr std::string_view kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
using Lines = std::vector<std::string>;

// The events as text lines; adjacent character pieces merge into one run.
class EventLog final : public XMLHandler {
 public:
  void startElement(const XMLElementStart& element) override {
    std::string line = "<";
    line += name(element.name);
    for (const XMLAttribute& a : element.attributes) {
      line.append(" ").append(name(a.name)).append("=[").append(a.value) += "]";
    }
    add(line + ">");
  }
  void characters(std::string_view text) override { text_.append(text); }
  void endElement(const XMLName& element) override {
    std::string line = "</";
    add(line.append(name(element)) + ">");
  }
  Lines lines() { return add(""), lines_; }

 private:
  // Appended piece by piece: GCC 12 misreads "literal" + std::string as an overlapping copy.
  static std::string name(const XMLName& n) {
    if (n.namespaceURI.empty()) return std::string(n.localName);
    std::string text = "{";
    text.append(n.namespaceURI == kMain ? "main" : n.namespaceURI).append("}").append(n.localName);
    return text;
  }
  void add(const std::string& line) {
    if (!text_.empty()) lines_.push_back(std::string("text[").append(text_) + "]");
    text_.clear();
    if (!line.empty()) lines_.push_back(line);
  }
  Lines lines_;
  std::string text_;
};

struct Tokenized {
  XMLParseResult result;
  Lines events;
  friend bool operator==(const Tokenized&, const Tokenized&) = default;
};

// Hands out a document `size` bytes at a time.
class Pieces final : public XMLInput {
 public:
  Pieces(std::string_view document, std::size_t size) : rest_(document), size_(size) {}
  std::size_t read(char* out, std::size_t capacity) override {
    const std::size_t n = std::min({rest_.size(), size_, capacity});
    rest_.copy(out, n);
    rest_.remove_prefix(n);
    return n;
  }
  std::size_t unread() const { return rest_.size(); }

 private:
  std::string_view rest_;
  std::size_t size_;
};

Tokenized tokenize(std::string_view document,
                   XMLParseResult (*parse)(ByteView, XMLHandler&) = tokenizeXML) {
  EventLog log;
  const XMLParseResult result = parse(asBytes(document), log);
  return {result, log.lines()};
}

// A document read in pieces gives the events and result of the whole, for
// every cut: inside names, references, "]]>", a CR LF pair, a character.
void expectSameInPieces(std::string_view document, const Tokenized& whole) {
  for (std::size_t size : {1, 2, 3, 5, 64}) {
    SCOPED_TRACE(size);
    Pieces pieces(document, size);
    EventLog log;
    const XMLParseResult result = tokenizeXML(pieces, log);
    EXPECT_EQ((Tokenized{result, log.lines()}), whole);
  }
}

// Expat gives the same events for every one.
TEST(XMLParserTest, WellFormedDocumentsGiveTheirEvents) {
  const struct {
    std::string document;
    Lines events;
  } cases[] = {
      {"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"" + std::string(kMain) +
           "\" xmlns:r=\"urn:r\"><c r=\"A1\" t='s' r:id=\"x\" xml:space=\"preserve\"/>"
           "<r:e><f xmlns=\"\"/></r:e><x:g xmlns:x=\"urn:x\"></x:g></worksheet >",
       {"<{main}worksheet>", "<{main}c r=[A1] t=[s] {urn:r}id=[x] {http://www.w3.org/XML/1998/namespace}space=[preserve]>",
        "</{main}c>", "<{urn:r}e>", "<f>", "</f>", "</{urn:r}e>", "<{urn:x}g>", "</{urn:x}g>", "</{main}worksheet>"}},
      // References, CDATA, comments, instructions and line ends in character data.
      {"<t>a &amp; &lt;b&gt; &quot;&apos; &#65;&#x42;&#x20AC;&#128512; ] ]]&gt;\r\nx\ry"
       "<![CDATA[<i>&amp;\r\n]]]]><!-- skipped --><?pi skipped?>z</t>",
       {"<t>", "text[a & <b> \"' AB\xE2\x82\xAC\xF0\x9F\x98\x80 ] ]]>\nx\ny<i>&amp;\n]]z]", "</t>"}},
      // Attribute values are decoded and their white space normalised.
      {"<a v=\"1\t2\n3\r\n4\r5 &#9;&#10;&amp;&lt;'\" w='\"'/>", {"<a v=[1 2 3 4 5 \t\n&<'] w=[\"]>", "</a>"}},
      {"\xEF\xBB\xBF<?xml version='1.0'?><!-- a --><?p?>\n<r/>\n<!-- b --><?q x?> ", {"<r>", "</r>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.document);
    const Tokenized tokenized = tokenize(c.document);
    EXPECT_EQ(tokenized.result, XMLParseResult::wellFormed);
    EXPECT_EQ(tokenized.events, c.events);
    expectSameInPieces(c.document, tokenized);
    EXPECT_EQ(tokenize(c.document, parseXMLWithExpat).events, c.events);
  }
}

TEST(XMLParserTest, DoctypeIsRefusedBeforeAnyEvent) {
  const std::string document = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e \"boom\">]><r>&e;</r>";
  const Tokenized tokenized = tokenize(document);
  EXPECT_EQ(tokenized.result, XMLParseResult::doctypeRefused);
  EXPECT_TRUE(tokenized.events.empty());
  expectSameInPieces(document, tokenized);
  EXPECT_EQ(tokenize(document, parseXMLWithExpat).result, XMLParseResult::doctypeRefused);
}

// Every fault ends the document with the events before it; expat agrees that
// none of these is well-formed.
TEST(XMLParserTest, MalformedInputEndsWithTheEventsBeforeTheFault) {
  const struct {
    std::string document;
    Lines events;
  } cases[] = {
      {"<r><a></b></r>", {"<r>", "<a>"}}, {"<r><a>text", {"<r>", "<a>", "text[text]"}}, {"<r>&nbsp;</r>", {"<r>"}},
      {"<r>&#0;</r>", {"<r>"}}, {"<r>&#xD800;</r>", {"<r>"}}, {"<r><p:a/></r>", {"<r>"}}, {"<r a='1' a='2'/>", {}},
      {"<r xmlns:p='u' xmlns:q='u' p:a='1' q:a='2'/>", {}}, {"<r xmlns:p=''/>", {}}, {"<r>a]]>b</r>", {"<r>"}},
      {"<r/>text", {"<r>", "</r>"}}, {"<r/><s/>", {"<r>", "</r>"}}, {"text<r/>", {}}, {"", {}}, {"<r a=1/>", {}},
      {"<r a='<'/>", {}}, {"<r><!-- a -- b --></r>", {"<r>"}}, {"<r><?xml version='1.0'?></r>", {"<r>"}},
      {std::string("<r>a\x01</r>"), {"<r>", "text[a]"}}, {"<r>a\xC3(</r>", {"<r>", "text[a]"}},
      {"<r>\xED\xA0\x80</r>", {"<r>"}},
      {"<r>a\xF0\x80\x81\x81</r>", {"<r>", "text[a]"}},  // "A" in four bytes: overlong
      {"<r><a b='1'c='2'/></r>", {"<r>"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.document);
    const Tokenized tokenized = tokenize(c.document);
    EXPECT_EQ(tokenized.result, XMLParseResult::malformed);
    EXPECT_EQ(tokenized.events, c.events);
    expectSameInPieces(c.document, tokenized);
    EXPECT_EQ(tokenize(c.document, parseXMLWithExpat).result, XMLParseResult::malformed);
  }
}

// Text and attribute values are scanned many bytes at a time: whatever
// stops or complicates them is found at every offset, as expat finds it.
TEST(XMLParserTest, EveryStopIsFoundAtEveryOffset) {
  const std::string stops[] = {"&amp;", "&#x20AC;", "]", "]]>", "\r\n", "\r", "\t", "\n", "\"", "'",
                               "<", "\xC3\xA9", "\xE2\x82", std::string(1, '\x01'), std::string(1, '\x7F'), "\xEF\xBF\xBF"};
  for (const std::string& stop : stops) {
    for (std::size_t offset = 0; offset < 40; ++offset) {
      const std::string run = std::string(offset, 'a') + stop + std::string(40 - offset, 'b');
      for (const std::string& document : {"<r>" + run + "</r>", "<r v=\"" + run + "\" w='" + run + "'/>"}) {
        SCOPED_TRACE(document);
        const Tokenized expat = tokenize(document, parseXMLWithExpat);
        const Tokenized ours = tokenize(document);
        EXPECT_EQ(ours.result, expat.result);
        if (ours.result == XMLParseResult::wellFormed) {
          EXPECT_EQ(ours.events, expat.events);
        }
        if (offset % 13 == 0) expectSameInPieces(document, ours);
      }
    }
  }
}

// A fault inside a complete tag is a fault whatever follows: the rest of a
// long document is not read into memory in search of the tag's end.
TEST(XMLParserTest, AFaultInACompleteTagEndsTheReading) {
  for (const char* tag : {"<r a='1' a='2'>", "<r a='&bad;'>", "<p:r>", "<r xmlns:p='u' p:a='1' p:a='2'>"}) {
    SCOPED_TRACE(tag);
    const std::string document = tag + std::string(std::size_t{8} << 20, 'x') + "</r>";
    Pieces pieces(document, 4096);
    EventLog log;
    EXPECT_EQ(tokenizeXML(pieces, log), XMLParseResult::malformed);
    EXPECT_GT(pieces.unread(), document.size() / 2);
  }
}

TEST(XMLParserTest, OtherEncodingsAreReadThroughExpat) {
  const std::pair<std::string, Lines> cases[] = {
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><t>caf\xE9</t>", {"<t>", "text[caf\xC3\xA9]", "</t>"}},
      {std::string("\xFF\xFE<\0r\0/\0>\0", 10), {"<r>", "</r>"}},
      {std::string("<\0r\0/\0>\0", 8), {"<r>", "</r>"}}};  // UTF-16 without a byte-order mark
  for (const auto& [document, events] : cases) {
    EXPECT_EQ(tokenize(document).result, XMLParseResult::unsupportedEncoding);
    EventLog log;
    EXPECT_TRUE(parseXML(asBytes(document), log));
    EXPECT_EQ(log.lines(), events);
    Pieces pieces(document, 3);
    EventLog piecesLog;
    EXPECT_TRUE(parseXML(pieces, piecesLog));
    EXPECT_EQ(piecesLog.lines(), events);
  }
}

}  // namespace
}  // namespace tamsel::xml
