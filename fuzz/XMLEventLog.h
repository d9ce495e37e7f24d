#pragma once

// The events an XML reader reports, as one text that two readers' runs can
// be compared by: adjacent pieces of character data merge into one run, as
// a run may be cut anywhere.

#include <string>
#include <string_view>

#include "formats/xml/XMLHandler.h"

namespace tamsel::fuzz {

class XMLEventLog : public xml::XMLHandler {
 public:
  void startElement(const xml::XMLElementStart& element) override {
    flushText();
    log_ += "<";
    appendName(element.name);
    for (const xml::XMLAttribute& attribute : element.attributes) {
      log_ += " ";
      appendName(attribute.name);
      log_ += "=[";
      log_.append(attribute.value);
      log_ += "]";
    }
    log_ += ">\n";
  }
  void characters(std::string_view text) override { text_.append(text); }
  void endElement(const xml::XMLName& name) override {
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
  void appendName(const xml::XMLName& name) {
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

}  // namespace tamsel::fuzz
