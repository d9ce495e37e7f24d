#include "formats/ods/ODSContentParser.h"

#include <algorithm>
#include <limits>

#include "formats/ods/ODFNames.h"

namespace tamsel::ods {
namespace {

// What a stored cell costs beside its text, and a row: an empty row only its
// place in the table, a row with text also the primer it becomes. Repeats
// can make many rows of a few bytes, so the rows count for what they cost
// downstream rather than here.
constexpr std::uint64_t kCellBytes = sizeof(RowTable::Cell);
constexpr std::uint64_t kEmptyRowBytes = 16;
constexpr std::uint64_t kRowBytes = 512;
// One past the last column a row table can hold.
constexpr std::uint64_t kColumnEnd = std::numeric_limits<std::uint32_t>::max();

// A repeat or space count: digits, saturating; anything else counts once.
std::uint64_t countOf(std::optional<std::string_view> text) {
  if (!text || text->empty()) return 1;
  std::uint64_t value = 0;
  for (char c : *text) {
    if (c < '0' || c > '9') return 1;
    const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
    value = value > (UINT64_MAX - digit) / 10 ? UINT64_MAX : value * 10 + digit;
  }
  return value == 0 ? 1 : value;
}

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) { return a > UINT64_MAX - b ? UINT64_MAX : a + b; }

std::uint64_t saturatingMultiply(std::uint64_t a, std::uint64_t b) {
  return b != 0 && a > UINT64_MAX / b ? UINT64_MAX : a * b;
}

bool isCellElement(const xml::XMLName& name) {
  return isName(name, kTableURI, "table-cell") || isName(name, kTableURI, "covered-table-cell");
}

bool isParagraph(const xml::XMLName& name) { return isName(name, kTextURI, "p") || isName(name, kTextURI, "h"); }

// Parts of a cell that are not the text it shows.
bool isHiddenFromCellText(const xml::XMLName& name) {
  return name.namespaceURI == kDrawURI || isName(name, kOfficeURI, "annotation") ||
         isName(name, kOfficeURI, "annotation-end") || isName(name, kTextURI, "note") ||
         isName(name, kTableURI, "table");
}

}  // namespace

bool ContentParser::charge(std::uint64_t bytes) {
  bytesHeld_ = saturatingAdd(bytesHeld_, bytes);
  if (bytesHeld_ > byteLimit_) limitExceeded_ = true;
  return !limitExceeded_;
}

void ContentParser::startElement(const xml::XMLElementStart& element) {
  if (skipDepth_ > 0) {
    ++skipDepth_;
    return;
  }
  const xml::XMLName& name = element.name;
  if (inCell_) {
    startInCell(element);
  } else if (!inSheet_) {
    if (isName(name, kTableURI, "table")) startSheet(element.attributes);
  } else if (isName(name, kTableURI, "table")) {
    skipDepth_ = 1;
  } else if (!inRow_) {
    if (isName(name, kTableURI, "table-row")) startRow(element.attributes);
  } else if (isCellElement(name)) {
    startCell(element.attributes, name.localName == "covered-table-cell");
  }
}

void ContentParser::endElement(const xml::XMLName& name) {
  if (skipDepth_ > 0) {
    --skipDepth_;
    return;
  }
  if (inCell_) {
    if (isCellElement(name)) {
      endCell();
    } else if (isParagraph(name) && paragraphDepth_ > 0) {
      // White space at a paragraph's end is not shown either.
      if (--paragraphDepth_ == 0 && afterSpace_ && !cellText_.empty() && cellText_.back() == ' ') {
        cellText_.pop_back();
      }
    }
  } else if (inRow_) {
    if (isName(name, kTableURI, "table-row")) endRow();
  } else if (inSheet_ && isName(name, kTableURI, "table")) {
    endSheet();
  }
}

void ContentParser::characters(std::string_view text) {
  if (!inCell_ || paragraphDepth_ == 0 || skipDepth_ > 0) return;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (afterSpace_) continue;
      cellText_.push_back(' ');
      afterSpace_ = true;
    } else {
      cellText_.push_back(c);
      afterSpace_ = false;
    }
  }
  if (bytesHeld_ + cellText_.size() > byteLimit_) limitExceeded_ = true;
}

void ContentParser::startSheet(std::span<const xml::XMLAttribute> attributes) {
  const std::string name(xml::findAttribute(attributes, kTableURI, "name").value_or(""));
  if (!picker_.wants(name)) {
    skipDepth_ = 1;
    return;
  }
  inSheet_ = true;
  rows_ = RowTable();
  emptyRowsPending_ = 0;
}

void ContentParser::endSheet() {
  inSheet_ = false;
  picker_.offer(std::move(rows_));
}

void ContentParser::startRow(std::span<const xml::XMLAttribute> attributes) {
  inRow_ = true;
  rowRepeat_ = countOf(xml::findAttribute(attributes, kTableURI, "number-rows-repeated"));
  column_ = 0;
  rowCells_.clear();
  rowText_.clear();
}

void ContentParser::endRow() {
  inRow_ = false;
  if (rowCells_.empty()) {
    emptyRowsPending_ = saturatingAdd(emptyRowsPending_, rowRepeat_);
    return;
  }
  // Empty rows before this one are kept; those after a sheet's last text are not.
  if (!charge(saturatingMultiply(emptyRowsPending_, kEmptyRowBytes))) return;
  for (; emptyRowsPending_ > 0; --emptyRowsPending_) rows_.addRow();

  // The first copy's cells were counted as they were read.
  std::uint64_t rowBytes = kRowBytes;
  for (const PendingCell& cell : rowCells_) rowBytes += cell.length + kCellBytes;
  if (!charge(saturatingAdd(kRowBytes, saturatingMultiply(rowRepeat_ - 1, rowBytes)))) return;
  const std::string_view text = rowText_;
  for (std::uint64_t copy = 0; copy < rowRepeat_; ++copy) {
    rows_.addRow();
    for (const PendingCell& cell : rowCells_) rows_.setCell(cell.column, text.substr(cell.begin, cell.length));
  }
}

void ContentParser::startCell(std::span<const xml::XMLAttribute> attributes, bool covered) {
  inCell_ = true;
  cellCovered_ = covered;
  cellRepeat_ = countOf(xml::findAttribute(attributes, kTableURI, "number-columns-repeated"));
  cellText_.clear();
  cellValue_.clear();
  paragraphs_ = 0;
  paragraphDepth_ = 0;
  if (covered) return;
  for (std::string_view attribute : {"string-value", "value", "date-value", "time-value", "boolean-value"}) {
    if (auto value = xml::findAttribute(attributes, kOfficeURI, attribute)) {
      cellValue_ = std::string(*value);
      break;
    }
  }
}

void ContentParser::startInCell(const xml::XMLElementStart& element) {
  const xml::XMLName& name = element.name;
  if (cellCovered_ || isHiddenFromCellText(name)) {
    skipDepth_ = 1;
  } else if (isParagraph(name)) {
    if (paragraphDepth_++ == 0) {
      if (paragraphs_++ > 0) cellText_.push_back('\n');
      afterSpace_ = true;
    }
  } else if (paragraphDepth_ > 0 && name.namespaceURI == kTextURI) {
    if (name.localName == "s") {
      const std::uint64_t count = countOf(xml::findAttribute(element.attributes, kTextURI, "c"));
      if (saturatingAdd(bytesHeld_ + cellText_.size(), count) > byteLimit_) {
        limitExceeded_ = true;
        return;
      }
      cellText_.append(static_cast<std::size_t>(count), ' ');
      afterSpace_ = false;
    } else if (name.localName == "tab" || name.localName == "line-break") {
      cellText_.push_back(name.localName == "tab" ? '\t' : '\n');
      afterSpace_ = false;
    }
  }
}

void ContentParser::endCell() {
  inCell_ = false;
  const std::string& text = paragraphs_ > 0 ? cellText_ : cellValue_;
  const std::uint64_t first = column_;
  column_ = std::min(saturatingAdd(column_, cellRepeat_), kColumnEnd);
  if (cellCovered_ || text.empty() || first >= kColumnEnd) return;
  const std::uint64_t copies = column_ - first;
  if (!charge(saturatingMultiply(copies, text.size() + kCellBytes))) return;
  const std::size_t begin = rowText_.size();
  rowText_.append(text);
  for (std::uint64_t column = first; column < column_; ++column) {
    rowCells_.push_back(PendingCell{static_cast<std::uint32_t>(column), begin, text.size()});
  }
}

}  // namespace tamsel::ods
