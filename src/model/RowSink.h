#pragma once

// Where a reader puts the cells it finds, a row at a time: a whole table
// (RowTable), or the import's one pass from cells to primers, which keeps no
// more than the first rows.

#include <cstdint>
#include <memory>
#include <string_view>

#include "model/Bytes.h"

namespace tamsel {

struct HeaderTest;
class RowTable;

class RowSink {
 public:
  virtual ~RowSink() = default;
  // Starts a new, empty row at the bottom.
  virtual void addRow() = 0;
  // Sets a cell of the last row (adds a row when there is none); columns may
  // come in any order, a later text for a column replacing the earlier one.
  // `text` need only last for the call.
  virtual void setCell(std::uint32_t column, std::string_view text) = 0;
  // Widens the last row past its stored cells (cells beyond the stored
  // columns are counted, not kept).
  virtual void setLastRowWidth(std::uint32_t width) = 0;
  // Adds the complete rows of `rows` at the bottom, as addRow, setCell for
  // each of their cells and setLastRowWidth would; a cell after them goes to
  // a row the caller adds first. `rows` need only last for the call.
  virtual void addRows(const RowTable& rows);

  // The calls below come between rows, never inside one.

  // Texts that lie inside `owner`'s bytes may be kept as views of them from
  // now on, the sink (and what it makes of the cells) holding on to them.
  virtual void referTo(std::shared_ptr<const Bytes> owner) { (void)owner; }
  // A reader that cuts its cells from one text says so before the first row
  // and after the last; `source` lives until endText.
  virtual void beginText(std::string_view source) { (void)source; }
  // A reader whose header test is not the workbooks' gives it before the first row.
  virtual void setHeaderTest(const HeaderTest& test) { (void)test; }
  virtual void endText() {}
};

}  // namespace tamsel
