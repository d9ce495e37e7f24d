#include "formats/xlsx/SharedStringsParser.h"

#include <new>

#include "formats/xlsx/EscapeDecoding.h"
#include "formats/xlsx/SpreadsheetMLNames.h"

namespace tamsel::xlsx {

void SharedStringTable::add(std::string_view text) {
  // Beyond 2 GiB of copies the offsets would not fit: a part that large is
  // refused as too large to read.
  if (text.size() >= kCopied - copies_.size()) throw std::bad_alloc();
  items_.push_back({static_cast<std::uint32_t>(copies_.size()), static_cast<std::uint32_t>(text.size()) | kCopied});
  copies_.append(text);
}

bool SharedStringTable::canView(std::string_view text) const {
  return source_.size() < kCopied && liesWithin(text, source_);
}

void SharedStringTable::addView(std::string_view text) {
  items_.push_back({static_cast<std::uint32_t>(text.data() - source_.data()), static_cast<std::uint32_t>(text.size())});
}

std::string_view SharedStringTable::operator[](std::size_t index) const {
  const Item item = items_[index];
  if (item.length & kCopied) return std::string_view(copies_).substr(item.begin, item.length & ~kCopied);
  return source_.substr(item.begin, item.length);
}

void SharedStringsParser::startElement(const xml::XMLElementStart& element) {
  const std::string_view local = spreadsheetMLLocalName(element.name);
  if (local == "si") {
    inSI_ = true;
    gathered_ = Gathered::nothing;
    joined_.clear();
  } else if (local == "t" && inSI_) {
    inT_ = true;
  }
}

void SharedStringsParser::characters(std::string_view text) {
  if (!inT_) return;
  switch (gathered_) {
    case Gathered::nothing:
      if (strings_.canView(text)) {
        view_ = text;
        gathered_ = Gathered::view;
        return;
      }
      break;
    case Gathered::view:
      joined_.assign(view_);
      break;
    case Gathered::joined:
      break;
  }
  gathered_ = Gathered::joined;
  joined_.append(text);
}

void SharedStringsParser::endElement(const xml::XMLName& name) {
  const std::string_view local = spreadsheetMLLocalName(name);
  if (local == "t") {
    inT_ = false;
  } else if (local == "si") {
    const std::string_view text = gathered_ == Gathered::view ? view_ : std::string_view(joined_);
    if (gathered_ == Gathered::view && text.find("_x") == std::string_view::npos) {
      strings_.addView(text);
    } else {
      unescaped_.clear();
      appendUnescaped(unescaped_, text);
      strings_.add(unescaped_);
    }
    inSI_ = false;
  }
}

SharedStringTable parseSharedStrings(ByteView part) {
  SharedStringsParser parser(part);
  xml::parseXML(part, parser);
  return parser.takeStrings();
}

}  // namespace tamsel::xlsx
