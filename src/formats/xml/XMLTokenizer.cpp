// The tokenizer behind parseXML (XMLParser.h). Its events equal expat's
// (XML_ParserCreateNS) on every well-formed UTF-8 document without a DOCTYPE.

#include "formats/xml/XMLParser.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "formats/xml/XMLCharacters.h"
#include "formats/xml/XMLNamespaces.h"
#include "model/Unicode.h"

namespace tamsel::xml {
namespace {

enum : std::uint8_t { kNameStart = 1, kNameChar = 2, kSpace = 4, kTextStop = 8, kValueStop = 16 };

// Name characters are checked loosely beyond ASCII: every byte of a
// multi-byte character passes.
constexpr std::array<std::uint8_t, 256> makeClasses() {
  std::array<std::uint8_t, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (letter || c == '_' || c == ':' || c >= 0x80) classes[c] |= kNameStart | kNameChar;
    if ((c >= '0' && c <= '9') || c == '-' || c == '.') classes[c] |= kNameChar;
  }
  for (char c : {' ', '\t', '\n', '\r'}) classes[static_cast<std::uint8_t>(c)] |= kSpace;
  for (char c : {'<', '&', '\r', ']'}) classes[static_cast<std::uint8_t>(c)] |= kTextStop;
  // What ends or complicates an attribute value: either quote, a "<", a
  // reference or white space that is normalised.
  for (char c : {'"', '\'', '<', '&', '\t', '\n', '\r'}) classes[static_cast<std::uint8_t>(c)] |= kValueStop;
  return classes;
}
constexpr std::array<std::uint8_t, 256> kClasses = makeClasses();

bool hasClass(char c, std::uint8_t mask) { return kClasses[static_cast<std::uint8_t>(c)] & mask; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The character of one of the five predefined entities, or 0.
char predefinedEntity(std::string_view name) {
  if (name == "lt") return '<';
  if (name == "gt") return '>';
  if (name == "amp") return '&';
  if (name == "quot") return '"';
  if (name == "apos") return '\'';
  return 0;
}

class Tokenizer {
 public:
  Tokenizer(std::string_view document, XMLHandler& handler) : document_(document), handler_(handler) {}

  XMLParseResult run() {
    const char* p = document_.data();
    end_ = p + document_.size();
    if (document_.starts_with("\xEF\xBB\xBF")) p += 3;
    if (!isUTF8(p)) return XMLParseResult::unsupportedEncoding;
    // Everything from the first byte that is not an XML character on is
    // unreadable; the document ends there, as a parser's error would end it.
    end_ = document_.data() + firstNonXMLCharacter(document_);
    if (startsWith(p, "<?xml") && (hasClass(peek(p + 5), kSpace) || peek(p + 5) == '?')) {
      p = skipXMLDeclaration(p);
      if (!p) return result_;
    }
    p = skipMisc(p);
    if (!p) return result_;
    if (p == end_ || *p != '<' || !hasClass(peek(p + 1), kNameStart)) return XMLParseResult::malformed;
    p = content(p);
    if (!p) return result_;
    p = skipMisc(p);
    if (!p) return result_;
    if (p != end_ || end_ != document_.data() + document_.size()) return XMLParseResult::malformed;
    return XMLParseResult::wellFormed;
  }

 private:
  struct OpenElement {
    std::string_view rawName;
    XMLName name;
    std::size_t bindingsDeclared;
  };
  struct Binding {
    std::string_view prefix;  // empty for the default namespace
    std::string uri;          // empty: the default namespace undeclared
    std::string_view name;    // what names carry: `uri`, or its shared copy
  };
  struct RawAttribute {
    std::string_view name;
    std::string_view value;  // as written, between the quotes
    std::size_t colon;       // of the name; npos when it has none
    bool plain;              // nothing to decode or normalise
    bool declaresNamespace;  // xmlns or xmlns:prefix
  };

  char peek(const char* p) const { return p < end_ ? *p : '\0'; }
  bool startsWith(const char* p, std::string_view text) const {
    return static_cast<std::size_t>(end_ - p) >= text.size() && std::memcmp(p, text.data(), text.size()) == 0;
  }
  const char* skipSpace(const char* p) const {
    while (p < end_ && hasClass(*p, kSpace)) ++p;
    return p;
  }
  const char* scanName(const char* p) const {
    if (!hasClass(peek(p), kNameStart)) return p;
    ++p;
    while (p < end_ && hasClass(*p, kNameChar)) ++p;
    return p;
  }
  // A name and where its first colon is (npos for none), found in one pass.
  const char* scanName(const char* p, std::size_t& colon) const {
    colon = std::string_view::npos;
    if (!hasClass(peek(p), kNameStart)) return p;
    const char* begin = p;
    do {
      if (*p == ':' && colon == std::string_view::npos) colon = static_cast<std::size_t>(p - begin);
      ++p;
    } while (p < end_ && hasClass(*p, kNameChar));
    return p;
  }
  const char* find(const char* p, std::string_view text) const {
    const void* found = memmem(p, static_cast<std::size_t>(end_ - p), text.data(), text.size());
    return static_cast<const char*>(found);
  }
  const char* fail(XMLParseResult result = XMLParseResult::malformed) {
    result_ = result;
    return nullptr;
  }

  bool isUTF8(const char* p) const {
    if (document_.size() >= 2) {
      const auto b0 = static_cast<std::uint8_t>(document_[0]), b1 = static_cast<std::uint8_t>(document_[1]);
      if (b0 == 0 || b1 == 0 || (b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF)) return false;
    }
    // An encoding declared other than UTF-8 goes to expat, which converts.
    if (!startsWith(p, "<?xml")) return true;
    const char* close = find(p, "?>");
    const std::string_view declaration(p, close ? static_cast<std::size_t>(close - p) : 0);
    const std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos) return true;
    const std::size_t quote = declaration.find_first_of("\"'", at);
    if (quote == std::string_view::npos) return true;
    const std::size_t closeQuote = declaration.find(declaration[quote], quote + 1);
    if (closeQuote == std::string_view::npos) return true;
    return equalsIgnoringCase(declaration.substr(quote + 1, closeQuote - quote - 1), "utf-8");
  }

  const char* skipXMLDeclaration(const char* p) {
    const char* close = find(p, "?>");
    return close ? close + 2 : fail();
  }

  // White space, comments and processing instructions outside the root.
  const char* skipMisc(const char* p) {
    for (;;) {
      p = skipSpace(p);
      if (startsWith(p, "<!--")) {
        if (!(p = skipComment(p))) return nullptr;
      } else if (startsWith(p, "<?")) {
        if (!(p = skipProcessingInstruction(p))) return nullptr;
      } else if (startsWith(p, "<!DOCTYPE")) {
        return fail(XMLParseResult::doctypeRefused);
      } else {
        return p;
      }
    }
  }

  const char* skipComment(const char* p) {
    const char* dashes = find(p + 4, "--");
    if (!dashes || peek(dashes + 2) != '>') return fail();
    return dashes + 3;
  }

  const char* skipProcessingInstruction(const char* p) {
    const char* target = p + 2;
    const char* targetEnd = scanName(target);
    const std::string_view name(target, static_cast<std::size_t>(targetEnd - target));
    if (name.empty() || equalsIgnoringCase(name, "xml") || name.find(':') != std::string_view::npos) return fail();
    if (startsWith(targetEnd, "?>")) return targetEnd + 2;
    if (!hasClass(peek(targetEnd), kSpace)) return fail();
    const char* close = find(targetEnd, "?>");
    return close ? close + 2 : fail();
  }

  // The root element and everything in it; `p` is at its "<".
  const char* content(const char* p) {
    do {
      const char* run = p;
      for (;;) {
        while (p < end_ && !hasClass(*p, kTextStop)) ++p;
        if (p == end_ || *p != ']') break;
        if (startsWith(p, "]]>")) return fail();
        ++p;  // a lone "]" belongs to the run
      }
      if (p > run) {
        handler_.characters({run, static_cast<std::size_t>(p - run)});
        if (handler_.stopRequested()) return fail(XMLParseResult::stopped);
      }
      if (p == end_) return fail();
      if (*p == '<') {
        const char next = peek(p + 1);
        if (next == '/') {
          p = endTag(p);
        } else if (next == '!') {
          p = startsWith(p, "<!--") ? skipComment(p) : startsWith(p, "<![CDATA[") ? cdata(p) : fail();
        } else if (next == '?') {
          p = skipProcessingInstruction(p);
        } else {
          p = startTag(p);
        }
      } else if (*p == '&') {
        p = reference(p, text_);
        if (p) handler_.characters(text_);
      } else {  // a carriage return, alone or before a line feed
        handler_.characters("\n");
        p += peek(p + 1) == '\n' ? 2 : 1;
      }
      if (p && handler_.stopRequested()) return fail(XMLParseResult::stopped);
    } while (p && !open_.empty());
    return p;
  }

  // Decodes the entity or character reference at `p` ("&") into `out`.
  const char* reference(const char* p, std::string& out) {
    out.clear();
    const char* semicolon = static_cast<const char*>(std::memchr(p, ';', static_cast<std::size_t>(end_ - p)));
    if (!semicolon) return fail();
    const std::string_view name(p + 1, static_cast<std::size_t>(semicolon - p - 1));
    if (const char predefined = predefinedEntity(name)) {
      out.push_back(predefined);
    } else if (auto code = characterReference(name)) {
      unicode::appendUTF8(out, *code);
    } else {
      return fail();
    }
    return semicolon + 1;
  }

  const char* cdata(const char* p) {
    p += 9;  // <![CDATA[
    const char* close = find(p, "]]>");
    if (!close) return fail();
    // Line ends are normalised inside CDATA sections too.
    while (p < close) {
      const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(close - p)));
      const char* stop = cr ? cr : close;
      if (stop > p) handler_.characters({p, static_cast<std::size_t>(stop - p)});
      if (!cr) break;
      handler_.characters("\n");
      p = cr + (cr + 1 < close && cr[1] == '\n' ? 2 : 1);
    }
    return close + 3;
  }

  const char* startTag(const char* p) {
    const char* nameBegin = p + 1;
    std::size_t colon;
    const char* q = scanName(nameBegin, colon);
    if (q == nameBegin) return fail();
    const std::string_view rawName(nameBegin, static_cast<std::size_t>(q - nameBegin));
    rawAttributes_.clear();
    bool empty = false;
    for (;;) {
      const char* afterSpace = skipSpace(q);
      const bool spaced = afterSpace != q;
      q = afterSpace;
      const char c = peek(q);
      if (c == '>') {
        ++q;
        break;
      }
      if (c == '/') {
        if (peek(q + 1) != '>') return fail();
        q += 2;
        empty = true;
        break;
      }
      if (!spaced) return fail();
      std::size_t attributeColon;
      const char* attributeEnd = scanName(q, attributeColon);
      if (attributeEnd == q) return fail();
      const std::string_view attributeName(q, static_cast<std::size_t>(attributeEnd - q));
      q = skipSpace(attributeEnd);
      if (peek(q) != '=') return fail();
      q = skipSpace(q + 1);
      const char quote = peek(q);
      if (quote != '"' && quote != '\'') return fail();
      ++q;
      // One pass finds the closing quote and whether the value needs decoding;
      // values in sheets are a few bytes, too short for memchr to pay.
      const char* close = q;
      bool plain = true;
      for (;; ++close) {
        while (close < end_ && !hasClass(*close, kValueStop)) ++close;
        if (close == end_) return fail();
        const char v = *close;
        if (v == quote) break;
        if (v == '<') return fail();
        if (v != '"' && v != '\'') plain = false;
      }
      const bool declaresNamespace =
          attributeName.starts_with("xmlns") && (attributeName.size() == 5 || attributeName[5] == ':');
      rawAttributes_.push_back({attributeName, std::string_view(q, static_cast<std::size_t>(close - q)),
                                attributeColon, plain, declaresNamespace});
      q = close + 1;
    }
    if (!openElement(rawName, colon)) return nullptr;
    if (empty) closeElement();
    return q;
  }

  // Declares the element's namespaces, resolves its names and reports it.
  bool openElement(std::string_view rawName, std::size_t colon) {
    std::size_t declared = 0;
    for (const RawAttribute& attribute : rawAttributes_) {
      if (!attribute.declaresNamespace) continue;
      std::string_view prefix;
      if (attribute.name.size() > 5) {
        prefix = attribute.name.substr(6);
        if (prefix.empty() || prefix.find(':') != std::string_view::npos) return fail(), false;
      }
      Binding binding{prefix, {}, {}};
      if (!decodeValue(attribute, binding.uri)) return false;
      const bool xmlURI = binding.uri == kXMLNamespace;
      if (prefix == "xmlns" || binding.uri == kXMLNSNamespace || (prefix == "xml") != xmlURI ||
          (!prefix.empty() && binding.uri.empty())) {
        return fail(), false;
      }
      bindings_.push_back(std::move(binding));
      bindings_.back().name = canonicalNamespace(bindings_.back().uri);
      ++declared;
    }

    // Resolved into a local first: the element's names stay in registers on
    // their way to the stack of open elements and to the handler.
    XMLName name;
    if (!resolve(rawName, colon, true, name)) return false;
    open_.push_back(OpenElement{rawName, name, declared});

    attributes_.clear();
    decoded_.clear();
    for (const RawAttribute& attribute : rawAttributes_) {
      if (attribute.declaresNamespace) continue;
      XMLAttribute resolved;
      if (!resolve(attribute.name, attribute.colon, false, resolved.name)) return false;
      for (const XMLAttribute& earlier : attributes_) {
        if (earlier.name == resolved.name) return fail(), false;
      }
      if (attribute.plain) {
        resolved.value = attribute.value;
      } else {
        // Offsets for now: the buffer may still grow.
        const std::size_t begin = decoded_.size();
        if (!decodeValue(attribute, decoded_)) return false;
        resolved.value = std::string_view(nullptr, 0);
        decodedRanges_.push_back({attributes_.size(), begin, decoded_.size() - begin});
      }
      attributes_.push_back(resolved);
    }
    for (const DecodedRange& range : decodedRanges_) {
      attributes_[range.attribute].value = std::string_view(decoded_).substr(range.begin, range.length);
    }
    decodedRanges_.clear();
    handler_.startElement(XMLElementStart{name, attributes_});
    return true;
  }

  void closeElement() {
    const OpenElement& element = open_.back();
    handler_.endElement(element.name);
    for (std::size_t i = 0; i < element.bindingsDeclared; ++i) bindings_.pop_back();
    open_.pop_back();
  }

  const char* endTag(const char* p) {
    const char* nameBegin = p + 2;
    const char* q = scanName(nameBegin);
    const std::string_view rawName(nameBegin, static_cast<std::size_t>(q - nameBegin));
    if (rawName != open_.back().rawName) return fail();
    q = skipSpace(q);
    if (peek(q) != '>') return fail();
    closeElement();
    return q + 1;
  }

  // Splits a qualified name and finds its namespace. Unprefixed attributes
  // are in no namespace; unprefixed elements in the default one.
  bool resolve(std::string_view rawName, std::size_t colon, bool isElement, XMLName& name) {
    if (colon == std::string_view::npos) {
      name.localName = rawName;
      name.namespaceURI = isElement ? uriOf({}) : std::string_view{};
      return true;
    }
    const std::string_view prefix = rawName.substr(0, colon);
    name.localName = rawName.substr(colon + 1);
    if (prefix.empty() || name.localName.empty() || name.localName.find(':') != std::string_view::npos ||
        !hasClass(name.localName.front(), kNameStart)) {
      return fail(), false;
    }
    if (prefix == "xml") {
      name.namespaceURI = kXMLNamespace;
      return true;
    }
    name.namespaceURI = uriOf(prefix);
    if (name.namespaceURI.empty()) return fail(), false;  // an undeclared prefix
    return true;
  }

  std::string_view uriOf(std::string_view prefix) const {
    for (auto binding = bindings_.rbegin(); binding != bindings_.rend(); ++binding) {
      if (binding->prefix == prefix) return binding->name;
    }
    return {};
  }

  // An attribute value with references decoded and white space normalised,
  // appended to `out`.
  bool decodeValue(const RawAttribute& attribute, std::string& out) {
    if (attribute.plain) {
      out.append(attribute.value);
      return true;
    }
    const char* p = attribute.value.data();
    const char* end = p + attribute.value.size();
    while (p < end) {
      const char c = *p;
      if (c == '&') {
        if (!(p = reference(p, reference_))) return false;
        if (p > end) return fail(), false;
        out.append(reference_);
        continue;
      }
      if (c == '\r' && p + 1 < end && p[1] == '\n') ++p;
      out.push_back(c == '\t' || c == '\n' || c == '\r' ? ' ' : c);
      ++p;
    }
    return true;
  }

  struct DecodedRange {
    std::size_t attribute;
    std::size_t begin;
    std::size_t length;
  };

  std::string_view document_;
  XMLHandler& handler_;
  const char* end_ = nullptr;
  XMLParseResult result_ = XMLParseResult::malformed;
  std::vector<OpenElement> open_;
  std::deque<Binding> bindings_;  // stable addresses: names view the URIs
  std::vector<RawAttribute> rawAttributes_;
  std::vector<XMLAttribute> attributes_;
  std::vector<DecodedRange> decodedRanges_;
  std::string decoded_;
  std::string text_;
  std::string reference_;
};

}  // namespace

XMLParseResult tokenizeXML(ByteView document, XMLHandler& handler) {
  return Tokenizer(asText(document), handler).run();
}

}  // namespace tamsel::xml
