#include "formats/xlsx/SheetParser.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "formats/xlsx/CellReference.h"
#include "formats/xlsx/EscapeDecoding.h"
#include "formats/xlsx/SpreadsheetMLNames.h"

namespace tamsel::xlsx {
namespace {

// A shared-string index: one optional sign, then digits only, within the
// signed 64-bit range. Only values from 0 up can index the table, so a
// negative value (other than -0) is simply no index.
std::optional<std::uint64_t> parseIndex(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '+' || negative)) text.remove_prefix(1);
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
  if (negative && value != 0) return std::nullopt;
  return value;
}

}  // namespace

void SheetParser::startElement(const xml::XMLElementStart& element) {
  const std::string_view local = spreadsheetMLLocalName(element.name);
  if (local == "c") {
    startCell(element.attributes);
  } else if (local == "v" || local == "t") {
    inValue_ = true;
  } else if (local == "row") {
    currentRow_.clear();
    rowText_.clear();
    previousColumn_ = -1;
  }
}

void SheetParser::characters(std::string_view text) {
  if (inValue_) currentValue_.append(text);
}

void SheetParser::endElement(const xml::XMLName& name) {
  const std::string_view local = spreadsheetMLLocalName(name);
  if (local == "c") {
    endCell();
  } else if (local == "v" || local == "t") {
    inValue_ = false;
  } else if (local == "row") {
    endRow();
  }
}

void SheetParser::startCell(std::span<const xml::XMLAttribute> attributes) {
  const std::string_view typeText = xml::findAttribute(attributes, "t").value_or("");
  currentCellType_ = typeText == "s"           ? CellType::sharedString
                     : typeText == "inlineStr" ? CellType::inlineString
                                               : CellType::other;
  currentValue_.clear();

  const std::optional<std::string_view> reference = xml::findAttribute(attributes, "r");
  if (auto column = reference ? referencedColumn(*reference) : std::nullopt) {
    currentColumn_ = *column;
  } else {
    // Saturates far beyond any real row, which holds fewer cells than bytes.
    constexpr std::int64_t kWidest = std::numeric_limits<std::uint32_t>::max() - 1;
    currentColumn_ = static_cast<std::uint32_t>(std::min(previousColumn_ + 1, kWidest));
  }
  previousColumn_ = currentColumn_;
}

std::string_view SheetParser::resolveCellText(bool& shared) {
  shared = false;
  switch (currentCellType_) {
    case CellType::sharedString: {
      const auto index = parseIndex(currentValue_);
      if (const auto text = index ? sharedStrings_.find(static_cast<std::size_t>(*index)) : std::nullopt) {
        shared = true;
        return *text;
      }
      return currentValue_;
    }
    case CellType::inlineString:
      unescaped_.clear();
      appendUnescaped(unescaped_, currentValue_);
      return unescaped_;
    case CellType::other:
      break;
  }
  return currentValue_;
}

void SheetParser::endCell() {
  bool shared;
  const std::string_view text = resolveCellText(shared);
  textBytes_ += text.size();
  if (textBytes_ > textLimit_) {
    textLimitExceeded_ = true;
    return;
  }
  if (shared) {
    currentRow_.push_back(PendingCell{currentColumn_, text.data(), 0, text.size()});
  } else {
    currentRow_.push_back(PendingCell{currentColumn_, nullptr, rowText_.size(), text.size()});
    rowText_.append(text);
  }
}

void SheetParser::endRow() {
  out_.addRow();
  for (const PendingCell& cell : currentRow_) {
    out_.setCell(cell.column, cell.shared ? std::string_view(cell.shared, cell.length)
                                           : std::string_view(rowText_).substr(cell.begin, cell.length));
  }
}

RowTable parseSheet(ByteView part, const SharedStringTable& sharedStrings) {
  SheetParser parser(sharedStrings);
  xml::parseXML(part, parser);
  return parser.takeRows();
}

}  // namespace tamsel::xlsx
