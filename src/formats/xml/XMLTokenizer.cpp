// The tokenizer behind parseXML (XMLParser.h). Its events equal expat's
// (XML_ParserCreateNS) on every well-formed UTF-8 document without a DOCTYPE.

#include "formats/xml/XMLParser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  // A whole document, read where it stands.
  Tokenizer(std::string_view document, XMLHandler& handler) : handler_(handler) {
    begin_ = document.data();
    filled_ = begin_ + document.size();
    final_ = true;
    end_ = begin_ + firstNonXMLCharacter(document);
    truncated_ = end_ != filled_;
  }
  // A document read from `input` into a window of its own, a piece at a time.
  Tokenizer(XMLInput& input, XMLHandler& handler) : handler_(handler), input_(&input) {
    capacity_ = kFirstWindow;
    window_.reset(new char[capacity_]);
    begin_ = end_ = filled_ = window_.get();
    more(begin_);
  }

  XMLParseResult run() {
    const char* p = prolog();
    // Until the prolog is complete nothing is consumed: it is read again from
    // the start with every further piece.
    while (!final_ && (p ? end_ - p < 2 : result_ == XMLParseResult::malformed)) {
      more(begin_);
      result_ = XMLParseResult::malformed;
      p = prolog();
    }
    if (!p) return result_;
    p = content(p);
    if (!p) return result_;
    while (!final_) p = more(p);
    p = skipMisc(p);
    if (!p) return result_;
    if (p != end_ || truncated_) return XMLParseResult::malformed;
    return XMLParseResult::wellFormed;
  }

  // Everything read from the input so far and the rest of it: the whole
  // document, for a reader of other encodings. Only before any event.
  std::string takeDocument() {
    while (!final_) more(begin_);
    std::string document(begin_, filled_);
    char piece[1 << 16];
    if (input_) {
      while (std::size_t n = input_->read(piece, sizeof piece)) document.append(piece, n);
    }
    return document;
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
  // The first byte from `p` on that ends or interrupts a run of text ("<",
  // "&", a carriage return or "]"), or end_.
  const char* skipText(const char* p) const {
#if defined(__SSE2__)
    const __m128i lt = _mm_set1_epi8('<'), amp = _mm_set1_epi8('&');
    const __m128i cr = _mm_set1_epi8('\r'), bracket = _mm_set1_epi8(']');
    for (; end_ - p >= 16; p += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i stops = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, lt), _mm_cmpeq_epi8(bytes, amp)),
                                         _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, bracket)));
      if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(stops))) return p + __builtin_ctz(mask);
    }
#endif
    while (p < end_ && !hasClass(*p, kTextStop)) ++p;
    return p;
  }
  // The first byte from `p` on that may end or complicate an attribute
  // value (kValueStop), or end_. Sixteen at a time, where any control
  // character counts: the only ones before end_ are tab, line feed and
  // carriage return.
  const char* skipValue(const char* p) const {
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"'), apostrophe = _mm_set1_epi8('\'');
    const __m128i lt = _mm_set1_epi8('<'), amp = _mm_set1_epi8('&'), lastControl = _mm_set1_epi8(0x1F);
    for (; end_ - p >= 16; p += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i quotes = _mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, apostrophe));
      const __m128i markup = _mm_or_si128(_mm_cmpeq_epi8(bytes, lt), _mm_cmpeq_epi8(bytes, amp));
      const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(bytes, lastControl), bytes);
      const __m128i stops = _mm_or_si128(_mm_or_si128(quotes, markup), control);
      if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(stops))) return p + __builtin_ctz(mask);
    }
#endif
    while (p < end_ && !hasClass(*p, kValueStop)) ++p;
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
  // After a fault that no later byte can mend (the fault's own result is
  // set): the document is not read on in search of the token's end.
  const char* settle() {
    settled_ = true;
    return nullptr;
  }

  bool isUTF8(const char* p) const {
    if (filled_ - begin_ >= 2) {
      const auto b0 = static_cast<std::uint8_t>(begin_[0]), b1 = static_cast<std::uint8_t>(begin_[1]);
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

  // The byte-order mark, XML declaration and what else comes before the
  // root; the root's "<", or nothing.
  const char* prolog() {
    const char* p = begin_;
    if (std::string_view(begin_, static_cast<std::size_t>(filled_ - begin_)).starts_with("\xEF\xBB\xBF")) p += 3;
    if (!final_ && (filled_ - begin_ < 2 || (startsWith(p, "<?xml") && !find(p, "?>")))) return fail();
    if (!isUTF8(p)) return fail(XMLParseResult::unsupportedEncoding);
    if (startsWith(p, "<?xml") && (hasClass(peek(p + 5), kSpace) || peek(p + 5) == '?')) {
      p = skipXMLDeclaration(p);
      if (!p) return nullptr;
    }
    p = skipMisc(p);
    if (!p) return nullptr;
    if (p == end_ || *p != '<' || !hasClass(peek(p + 1), kNameStart)) return fail();
    return p;
  }

  // Keeps the bytes from `keep` on, reads the next piece of the input behind
  // them, and returns where `keep` now is. At the end of the input the
  // document is final. Names of open elements are copied out of the window
  // first, as the bytes they view move or go.
  const char* more(const char* keep) {
    keepNames();
    const std::size_t kept = static_cast<std::size_t>(filled_ - keep);
    const std::size_t checked = static_cast<std::size_t>(end_ - keep);
    if (kept > capacity_ / 2) {
      std::unique_ptr<char[]> wider(new char[capacity_ * 2]);
      std::memcpy(wider.get(), keep, kept);
      window_ = std::move(wider);
      capacity_ *= 2;
    } else if (kept > 0) {
      std::memmove(window_.get(), keep, kept);
    }
    begin_ = window_.get();
    filled_ = begin_ + kept;
    end_ = begin_ + checked;
    // Reads until a whole character more can be checked, or to the end.
    do {
      const std::size_t n = input_->read(window_.get() + (filled_ - begin_), capacity_ - (filled_ - begin_));
      if (n == 0) final_ = true;
      filled_ += n;
      const std::string_view unchecked(end_, static_cast<std::size_t>(filled_ - end_));
      const std::size_t valid = firstNonXMLCharacter(unchecked);
      // Fewer than four bytes may be the start of a character cut off.
      if (valid < unchecked.size() && (final_ || unchecked.size() - valid >= 4)) {
        truncated_ = true;
        final_ = true;
      }
      end_ += valid;
    } while (!final_ && end_ == begin_ + checked);
    return begin_;
  }

  // Copies the names that open elements and namespace bindings view into a
  // store of their own.
  void keepNames() {
    std::size_t size = 0;
    for (const OpenElement& element : open_) size += element.rawName.size();
    for (const Binding& binding : bindings_) size += binding.prefix.size();
    // Not a std::string: a short one keeps its bytes inside itself, and
    // moving it would move them away from the views.
    std::unique_ptr<char[]> names(new char[std::max<std::size_t>(size, 1)]);
    std::size_t used = 0;
    const auto keep = [&](std::string_view name) {
      name.copy(names.get() + used, name.size());
      used += name.size();
      return std::string_view(names.get() + used - name.size(), name.size());
    };
    for (OpenElement& element : open_) {
      const std::size_t local = element.rawName.size() - element.name.localName.size();
      element.rawName = keep(element.rawName);
      element.name.localName = element.rawName.substr(local);
    }
    for (Binding& binding : bindings_) binding.prefix = keep(binding.prefix);
    names_ = std::move(names);
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

  // The root element and everything in it; `p` is at its "<". A piece of
  // the document that ends inside a token or a run of text is read on with
  // the next piece from the token's or the run's start.
  const char* content(const char* p) {
    for (;;) {
      const char* run = p;
      bool undecided = false;  // a "]" or carriage return whose meaning lies in the next piece
      for (;;) {
        p = skipText(p);
        if (p == end_ || *p != ']') break;
        if (!final_ && end_ - p < 3) {
          undecided = true;
          break;
        }
        if (startsWith(p, "]]>")) return fail();
        ++p;  // a lone "]" belongs to the run
      }
      // A run is reported once its end is at hand, as a fault right after
      // it ("]]>") would keep it from being reported at all.
      if (!final_ && (undecided || p == end_ || (*p == '\r' && p + 1 == end_))) {
        p = more(run);
        continue;
      }
      if (p > run) {
        handler_.characters({run, static_cast<std::size_t>(p - run)});
        if (handler_.stopRequested()) return fail(XMLParseResult::stopped);
      }
      if (p == end_) return fail();
      const char* token = p;
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
      // A token that fails before the end of the document may be cut off:
      // it reports nothing before it is complete, so it is read again.
      if (!p && !final_ && result_ == XMLParseResult::malformed && !settled_) {
        p = more(token);
        continue;
      }
      if (!p) return nullptr;
      if (handler_.stopRequested()) return fail(XMLParseResult::stopped);
      if (open_.empty()) return p;
    }
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

  enum class TagEnd { none, open, empty };  // an attribute follows; ">"; "/>"

  // Reads what follows a start tag's name or one of its attributes: the next
  // attribute into `attribute`, or the tag's end into `tagEnd`.
  const char* nextAttribute(const char* q, RawAttribute& attribute, TagEnd& tagEnd) {
    const char* afterSpace = skipSpace(q);
    const bool spaced = afterSpace != q;
    q = afterSpace;
    const char c = peek(q);
    if (c == '>') {
      tagEnd = TagEnd::open;
      return q + 1;
    }
    if (c == '/') {
      if (peek(q + 1) != '>') return fail();
      tagEnd = TagEnd::empty;
      return q + 2;
    }
    tagEnd = TagEnd::none;
    if (!spaced) return fail();
    std::size_t colon;
    const char* nameEnd = scanName(q, colon);
    if (nameEnd == q) return fail();
    const std::string_view name(q, static_cast<std::size_t>(nameEnd - q));
    q = skipSpace(nameEnd);
    if (peek(q) != '=') return fail();
    q = skipSpace(q + 1);
    const char quote = peek(q);
    if (quote != '"' && quote != '\'') return fail();
    ++q;
    // One pass finds the closing quote and whether the value needs decoding.
    const char* close = q;
    bool plain = true;
    for (;; ++close) {
      close = skipValue(close);
      if (close == end_) return fail();
      const char v = *close;
      if (v == quote) break;
      if (v == '<') return fail();
      if (v != '"' && v != '\'' && hasClass(v, kValueStop)) plain = false;
    }
    // Field by field: an aggregate built on the stack and copied whole is
    // read back wider than it was written, which stalls the store buffer.
    attribute.name = name;
    attribute.value = std::string_view(q, static_cast<std::size_t>(close - q));
    attribute.colon = colon;
    attribute.plain = plain;
    attribute.declaresNamespace = name.starts_with("xmlns") && (name.size() == 5 || name[5] == ':');
    return close + 1;
  }

  // Most tags declare no namespace and have no prefixed attribute: their
  // attributes are resolved as they are read. A tag that does is read again
  // from its name's end, its declarations first.
  const char* startTag(const char* p) {
    const char* nameBegin = p + 1;
    std::size_t colon;
    const char* afterName = scanName(nameBegin, colon);
    if (afterName == nameBegin) return fail();
    const std::string_view rawName(nameBegin, static_cast<std::size_t>(afterName - nameBegin));
    attributes_.clear();
    decoded_.clear();
    decodedRanges_.clear();
    RawAttribute attribute{};
    TagEnd tagEnd = TagEnd::none;
    const char* q = afterName;
    bool simple = true;
    while ((q = nextAttribute(q, attribute, tagEnd)) && tagEnd == TagEnd::none) {
      if (attribute.colon != std::string_view::npos || attribute.declaresNamespace) {
        simple = false;
        break;
      }
      if (!addAttribute(attribute, XMLName{{}, attribute.name})) return nullptr;
    }
    if (!q) return nullptr;
    std::size_t declarations = 0;
    if (!simple) {
      rawAttributes_.clear();
      q = afterName;
      while ((q = nextAttribute(q, attribute, tagEnd)) && tagEnd == TagEnd::none) {
        declarations += attribute.declaresNamespace;
        rawAttributes_.push_back(attribute);
      }
      if (!q) return nullptr;
      if (!declareNamespaces()) return settle();
      attributes_.clear();
      decoded_.clear();
      decodedRanges_.clear();
      for (const RawAttribute& raw : rawAttributes_) {
        XMLName name;
        if (raw.declaresNamespace) continue;
        if (!resolve(raw.name, raw.colon, false, name) || !addAttribute(raw, name)) return settle();
      }
    }
    XMLName name;
    if (!resolve(rawName, colon, true, name)) return settle();
    for (const DecodedRange& range : decodedRanges_) {
      attributes_[range.attribute].value = std::string_view(decoded_).substr(range.begin, range.length);
    }
    open_.push_back(OpenElement{rawName, name, declarations});
    handler_.startElement(XMLElementStart{name, attributes_});
    if (tagEnd == TagEnd::empty) closeElement();
    return q;
  }

  // Adds an attribute of the tag under its resolved name, its value decoded
  // when it has to be.
  bool addAttribute(const RawAttribute& attribute, const XMLName& name) {
    for (const XMLAttribute& earlier : attributes_) {
      if (earlier.name == name) {
        fail();
        settle();
        return false;
      }
    }
    if (attribute.plain) {
      attributes_.push_back({name, attribute.value});
      return true;
    }
    // Offsets for now: the buffer may still grow.
    const std::size_t begin = decoded_.size();
    if (!decodeValue(attribute, decoded_)) {
      settle();
      return false;
    }
    decodedRanges_.push_back({attributes_.size(), begin, decoded_.size() - begin});
    attributes_.push_back({name, {}});
    return true;
  }

  // Binds the prefixes the tag's attributes declare.
  bool declareNamespaces() {
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
      if (prefix.empty()) defaultURI_ = bindings_.back().name;
    }
    return true;
  }

  void closeElement() {
    const OpenElement& element = open_.back();
    handler_.endElement(element.name);
    if (element.bindingsDeclared > 0) {
      for (std::size_t i = 0; i < element.bindingsDeclared; ++i) bindings_.pop_back();
      defaultURI_ = uriOf({});
    }
    open_.pop_back();
  }

  const char* endTag(const char* p) {
    // The name must be the open element's, and end there. Compared byte by
    // byte: names are short, too short for a call to memcmp to pay.
    const char* q = p + 2;
    for (const char c : open_.back().rawName) {
      if (q == end_ || *q != c) return fail();
      ++q;
    }
    if (q < end_ && hasClass(*q, kNameChar)) return fail();
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
      name.namespaceURI = isElement ? defaultURI_ : std::string_view{};
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

  // The first window of a document read in pieces; it widens to hold a
  // token longer than half of it.
  static constexpr std::size_t kFirstWindow = std::size_t{256} << 10;

  XMLHandler& handler_;
  XMLInput* input_ = nullptr;     // null for a whole document
  std::unique_ptr<char[]> window_;
  std::size_t capacity_ = 0;
  const char* begin_ = nullptr;   // the bytes at hand: the document or the window
  const char* end_ = nullptr;     // the end of the bytes checked to be XML characters
  const char* filled_ = nullptr;  // the end of the bytes at hand
  bool final_ = false;            // no byte after `end_` is part of the document
  bool truncated_ = false;        // the document ends early, at a byte that is no XML character
  bool settled_ = false;          // the document is malformed whatever bytes follow
  std::unique_ptr<char[]> names_;  // names kept out of the window for open elements
  XMLParseResult result_ = XMLParseResult::malformed;
  std::vector<OpenElement> open_;
  std::deque<Binding> bindings_;  // stable addresses: names view the URIs
  std::string_view defaultURI_;   // uriOf({}), kept at hand for unprefixed elements
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

XMLParseResult tokenizeXML(XMLInput& input, XMLHandler& handler, std::string* document) {
  Tokenizer tokenizer(input, handler);
  const XMLParseResult result = tokenizer.run();
  if (result == XMLParseResult::unsupportedEncoding && document) *document = tokenizer.takeDocument();
  return result;
}

}  // namespace tamsel::xml
