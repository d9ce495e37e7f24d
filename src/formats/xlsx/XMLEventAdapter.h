#pragma once

// Hands the tokenizer's events to a handler written for expanded names
// ("URI" + xmlNameSeparator + "local", or the bare local name), the form
// expat gives, so that every part handler reads through the tokenizer.

#include <string>
#include <vector>

#include "formats/xlsx/XMLEventParser.h"
#include "formats/xlsx/XMLTokenizer.h"

namespace tamsel::xml {

class XMLEventAdapter final : public XMLTokenHandler {
 public:
  explicit XMLEventAdapter(XMLEventHandler& handler) : handler_(handler) {}

  void startElement(const XMLElementStart& element) override;
  void characters(std::string_view text) override { handler_.characters(text); }
  void endElement(const XMLQualifiedName& name) override;
  bool stopRequested() const override { return handler_.stopRequested(); }

 private:
  // Appends the expanded name and its terminating NUL.
  static void appendExpanded(std::string& out, const XMLQualifiedName& name);

  XMLEventHandler& handler_;
  std::string name_;
  std::string attributeText_;  // names and values, each NUL-terminated
  std::vector<std::size_t> offsets_;
  std::vector<const char*> attributes_;
};

}  // namespace tamsel::xml
