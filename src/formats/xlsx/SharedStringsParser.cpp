#include "formats/xlsx/SharedStringsParser.h"

#include "formats/xlsx/EscapeDecoding.h"
#include "formats/xlsx/SpreadsheetMLNames.h"

namespace tamsel::xlsx {

void SharedStringTable::add(std::string_view text) {
  text_.append(text);
  ends_.push_back(text_.size());
}

std::string_view SharedStringTable::operator[](std::size_t index) const {
  const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(begin, ends_[index] - begin);
}

void SharedStringsParser::startElement(const xml::XMLElementStart& element) {
  const std::string_view local = spreadsheetMLLocalName(element.name);
  if (local == "si") {
    inSI_ = true;
    currentString_.clear();
  } else if (local == "t" && inSI_) {
    inT_ = true;
  }
}

void SharedStringsParser::characters(std::string_view text) {
  if (inT_) currentString_.append(text);
}

void SharedStringsParser::endElement(const xml::XMLName& name) {
  const std::string_view local = spreadsheetMLLocalName(name);
  if (local == "t") {
    inT_ = false;
  } else if (local == "si") {
    unescaped_.clear();
    appendUnescaped(unescaped_, currentString_);
    strings_.add(unescaped_);
    inSI_ = false;
  }
}

SharedStringTable parseSharedStrings(ByteView part) {
  SharedStringsParser parser;
  xml::parseXML(part, parser);
  return parser.takeStrings();
}

}  // namespace tamsel::xlsx
