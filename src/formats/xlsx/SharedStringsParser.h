#pragma once

// Reads the shared-string part of a workbook into the table that cells of
// type "s" index. Item i is the text of the i-th "si" element: the text of
// every "t" inside it joined without separator (rich-text runs and phonetic
// runs included), with _xHHHH_ escapes decoded. An "si" without "t" is the
// empty text and still takes its index.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/xml/XMLParser.h"

namespace tamsel::xlsx {

// The texts live in one buffer: a table of a million strings costs two
// allocations that grow, not a million.
class SharedStringTable {
 public:
  void add(std::string_view text);
  std::size_t size() const { return ends_.size(); }
  std::string_view operator[](std::size_t index) const;

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
};

class SharedStringsParser final : public xml::XMLHandler {
 public:
  void startElement(const xml::XMLElementStart& element) override;
  void characters(std::string_view text) override;
  void endElement(const xml::XMLName& name) override;

  // The items completed so far; an item still open is not in it.
  const SharedStringTable& strings() const { return strings_; }
  SharedStringTable takeStrings() { return std::move(strings_); }

 private:
  SharedStringTable strings_;
  std::string currentString_;
  std::string unescaped_;
  bool inSI_ = false;
  bool inT_ = false;
};

// Parses a whole shared-string part; a part that is not well-formed gives the
// items completed before the error.
SharedStringTable parseSharedStrings(ByteView part);

}  // namespace tamsel::xlsx
