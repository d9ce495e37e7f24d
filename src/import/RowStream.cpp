#include "import/RowStream.h"

#include <algorithm>
#include <exception>

#include "import/ColumnContents.h"
#include "import/ColumnMapper.h"
#include "model/Bytes.h"

namespace tamsel {

void RowStream::referTo(std::shared_ptr<const Bytes> owner) {
  firstRows_.referTo(owner);
  row_.referTo(owner);
  primers_.shareBlock(std::move(owner));
}

void RowStream::beginText(std::string_view source) {
  row_.referTo(source);
  unreserved_ = source;
}

void RowStream::reserve() {
  // Room for a primer a line, so that the table is not copied as it grows:
  // a copy holds it twice at the peak. Room never used is never touched;
  // room the allocator cannot give is simply not reserved. Counting waits
  // for the first row, which a relay hands to its own thread.
  if (unreserved_.empty()) return;
  try {
    primers_.reserve(countByte(unreserved_, '\n') + 1);
  } catch (const std::exception&) {
  }
  unreserved_ = {};
}

void RowStream::addRow() {
  reserve();
  endRow();
  current().addRow();
  rowOpen_ = true;
}

void RowStream::setCell(std::uint32_t column, std::string_view text) {
  if (!rowOpen_) addRow();
  current().setCell(column, text);
}

void RowStream::setLastRowWidth(std::uint32_t width) {
  if (rowOpen_) current().setLastRowWidth(width);
}

void RowStream::addRows(const RowTable& rows) {
  reserve();
  endRow();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const RowTable::RowView row = rows.row(r);
    if (decided()) {
      convert(row);
      continue;
    }
    addRowTo(firstRows_, row);
    rowOpen_ = true;
    endRow();
  }
}

void RowStream::endText() { endRow(); }

void RowStream::endRow() {
  if (!rowOpen_) return;
  rowOpen_ = false;
  if (!decided()) {
    if (!isBlankRow(firstRows_.row(firstRows_.size() - 1))) ++filledRows_;
    if (filledRows_ >= kLayoutRows) decide();
    return;
  }
  convert(row_.row(0));
  row_.clear();
}

void RowStream::convert(const RowTable::RowView& row) {
  width_ = std::max(width_, row.width());
  if (converter_) converter_->add(row, primers_);
}

void RowStream::decide() {
  decidedWidth_ = firstRows_.maxWidth();
  auto layout = mapColumns(firstRows_, headerTest_);
  if (!layout) {
    error_ = layout.error();
    return;
  }
  converter_.emplace(*layout);
  const std::size_t firstDataRow = layout->headerRow ? *layout->headerRow + 1 : 0;
  for (std::size_t r = firstDataRow; r < firstRows_.size(); ++r) converter_->add(firstRows_.row(r), primers_);
  layout_ = std::move(*layout);
  firstRows_ = RowTable();
}

std::optional<Expected<TableLayout, ReaderError>> RowStream::finish() {
  if (!decided()) {
    // The whole table was kept: it is read as a table is.
    if (firstRows_.maxWidth() == 1) return std::nullopt;
    auto converted = convertRows(firstRows_, headerTest_);
    if (!converted) return unexpected(converted.error());
    primers_.append(converted->primers);
    return std::move(converted->layout);
  }
  if (width_ > decidedWidth_ || std::max(width_, decidedWidth_) == 1) return std::nullopt;
  if (error_) return unexpected(*error_);
  return std::move(*layout_);
}

}  // namespace tamsel
