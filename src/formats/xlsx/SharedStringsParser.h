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

// Most items are one run of plain text, which the table views where it
// stands in the part; only texts that had to be joined or decoded are copied,
// into one buffer of their own. A table of a million strings so costs eight
// bytes a string beside the part.
class SharedStringTable {
 public:
  SharedStringTable() = default;
  // A table whose viewed items lie in `source`, which must outlive it.
  explicit SharedStringTable(ByteView source) : source_(asText(source)) {}

  // Adds a copy of `text`.
  void add(std::string_view text);
  // Adds the text of `source` at `text`, which must lie inside it.
  void addView(std::string_view text);
  // Whether `text` lies inside the viewed source, so addView can take it.
  bool canView(std::string_view text) const;

  std::size_t size() const { return items_.size(); }
  std::string_view operator[](std::size_t index) const;

 private:
  // Offsets are 32 bits: a shared-string part is far below the member
  // limit; the top bit of `length` marks a text in `copies_`.
  struct Item {
    std::uint32_t begin;
    std::uint32_t length;
  };
  static constexpr std::uint32_t kCopied = std::uint32_t{1} << 31;

  std::string_view source_;
  std::string copies_;
  std::vector<Item> items_;
};

class SharedStringsParser final : public xml::XMLHandler {
 public:
  SharedStringsParser() = default;
  // Items read from `part` view it: it must outlive the table.
  explicit SharedStringsParser(ByteView part) : strings_(part) {}

  void startElement(const xml::XMLElementStart& element) override;
  void characters(std::string_view text) override;
  void endElement(const xml::XMLName& name) override;

  // The items completed so far; an item still open is not in it.
  const SharedStringTable& strings() const { return strings_; }
  SharedStringTable takeStrings() { return std::move(strings_); }

 private:
  // An item's text so far: none, one run seen in the part, or joined.
  enum class Gathered { nothing, view, joined };

  SharedStringTable strings_;
  Gathered gathered_ = Gathered::nothing;
  std::string_view view_;
  std::string joined_;
  std::string unescaped_;
  bool inSI_ = false;
  bool inT_ = false;
};

// Parses a whole shared-string part; a part that is not well-formed gives the
// items completed before the error. The table views `part`: it must outlive it.
SharedStringTable parseSharedStrings(ByteView part);

}  // namespace tamsel::xlsx
