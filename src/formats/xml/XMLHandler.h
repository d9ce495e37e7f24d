#pragma once

// The one interface through which XML parts are read: element starts with
// their attributes, character data and element ends, in document order.
// Names come as (namespace URI, local name) pairs, so a handler matches an
// element or attribute by its namespace whatever prefix the writer chose.

#include <optional>
#include <span>
#include <string_view>

namespace tamsel::xml {

struct XMLName {
  std::string_view namespaceURI;  // empty when the name is in no namespace
  std::string_view localName;
  friend bool operator==(const XMLName&, const XMLName&) = default;
};

struct XMLAttribute {
  XMLName name;            // namespace declarations are not reported
  std::string_view value;  // references decoded, white space normalised
};

struct XMLElementStart {
  XMLName name;
  std::span<const XMLAttribute> attributes;
};

// Views handed to a handler are valid during the call only.
class XMLHandler {
 public:
  virtual ~XMLHandler() = default;
  virtual void startElement(const XMLElementStart& element) = 0;
  // One run of text may arrive in several pieces; CDATA sections arrive as text.
  virtual void characters(std::string_view text) = 0;
  virtual void endElement(const XMLName& name) = 0;
  // Asked after every event; true ends the document there.
  virtual bool stopRequested() const { return false; }
};

// The value of the attribute `localName` in namespace `namespaceURI` (empty:
// in no namespace, as unprefixed attributes are), if present.
inline std::optional<std::string_view> findAttribute(std::span<const XMLAttribute> attributes,
                                                     std::string_view namespaceURI, std::string_view localName) {
  for (const XMLAttribute& attribute : attributes) {
    if (attribute.name.localName == localName && attribute.name.namespaceURI == namespaceURI) return attribute.value;
  }
  return std::nullopt;
}

inline std::optional<std::string_view> findAttribute(std::span<const XMLAttribute> attributes,
                                                     std::string_view localName) {
  return findAttribute(attributes, {}, localName);
}

}  // namespace tamsel::xml
