#pragma once

// The one pass from a reader's cells to primers. The first rows are kept
// until they decide the layout (the header is looked for among the first
// rows, the columns judged by a sample of the rows below it); from then on
// each row becomes primers as soon as it ends and is let go.
//
// The layout of a whole table also depends on its widest row, and a table
// of one column may be split again at spaces. When the rows after the first
// ones are wider, or every row has one cell, the stream says it cannot stand
// for the whole table, and the import reads the table whole instead.

#include <cstddef>
#include <optional>

#include "import/ConvertRows.h"

namespace tamsel {

class RowStream final : public RowSink {
 public:
  // Primers go to the end of `primers`.
  explicit RowStream(PrimerList& primers) : primers_(primers) {}

  void setHeaderTest(const HeaderTest& test) override { headerTest_ = test; }
  void referTo(std::shared_ptr<const Bytes> owner) override;
  void beginText(std::string_view source) override;
  void addRow() override;
  void setCell(std::uint32_t column, std::string_view text) override;
  void setLastRowWidth(std::uint32_t width) override;
  void addRows(const RowTable& rows) override;
  void endText() override;

  // After the reader: the layout, or the conversion's error, or nothing when
  // the table has to be read whole.
  std::optional<Expected<TableLayout, ReaderError>> finish();

 private:
  RowTable& current() { return decided() ? row_ : firstRows_; }
  bool decided() const { return converter_.has_value() || error_.has_value(); }
  // The row just ended: counted while the first rows are kept, else converted.
  void endRow();
  // A row once the layout is known.
  void convert(const RowTable::RowView& row);
  void decide();
  void reserve();

  PrimerList& primers_;
  std::string_view unreserved_;  // the text whose lines the list has no room for yet
  HeaderTest headerTest_;
  RowTable firstRows_;
  std::size_t filledRows_ = 0;  // rows of firstRows_ that are not blank
  RowTable row_;                // the row being read once the layout is known
  bool rowOpen_ = false;
  std::optional<TableLayout> layout_;
  std::optional<ReaderError> error_;
  std::optional<RowConverter> converter_;
  std::uint32_t decidedWidth_ = 0;
  std::uint32_t width_ = 0;  // of every row so far
};

}  // namespace tamsel
