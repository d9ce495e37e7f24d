#pragma once

// The row table: what every spreadsheet and text reader produces and what
// the row-to-primer step (import/ConvertRows) consumes. Rows top to bottom, cells by column, column 0 first.
//
// Rows are held sparsely: a row knows its width (one past its last column) and
// stores only the cells that were set, so a damaged file that names column
// 65535 costs memory in proportion to its cells, not to its width. Texts live
// in one arena, so building a table of a million rows makes no allocation per
// cell.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "model/Bytes.h"
#include "model/FlatArray.h"
#include "model/RowSink.h"

namespace tamsel {

class RowTable final : public RowSink {
 public:
  struct Cell {
    std::uint32_t column;
    std::uint32_t length;
    std::uint64_t offset;  // into the text arena
  };

  class RowView {
   public:
    // One past the last column of the row; a gap reads as the empty text.
    std::uint32_t width() const { return width_; }
    // The text at `column`, empty when the row has no cell there.
    std::string_view cell(std::uint32_t column) const;
    // The cells that were set, by increasing column (empty texts included).
    std::span<const Cell> cells() const { return cells_; }
    std::string_view text(const Cell& cell) const {
      if (cell.offset & kInSource) return {source_ + (cell.offset & ~kInSource), cell.length};
      return {arena_->data() + cell.offset, cell.length};
    }

   private:
    friend class RowTable;
    RowView(std::span<const Cell> cells, std::uint32_t width, const std::string* arena, const char* source)
        : cells_(cells), width_(width), arena_(arena), source_(source) {}
    std::span<const Cell> cells_;
    std::uint32_t width_;
    const std::string* arena_;
    const char* source_;
  };

  RowTable() = default;

  void reserve(std::size_t rows, std::size_t cells, std::size_t textBytes);

  // Starts a new, empty row at the bottom.
  void addRow() override;
  // Sets a cell of the last row (adds a row when there is none). A later text
  // for the same column replaces the earlier one; columns may come in any order.
  // A text inside the source (referTo) is viewed there, any other copied.
  void setCell(std::uint32_t column, std::string_view text) override {
    // Most cells come in order, each a view of the source, into a row and
    // an array with room: set here without a call.
    if (rows_.empty() || cells_.size() == cells_.capacity() || !liesWithin(text, source_) || source_.empty()) {
      return setCellSlowly(column, text);
    }
    Row& row = rows_.back();
    if (row.cellCount != 0 && cells_.back().column >= column) return setCellSlowly(column, text);
    cells_.pushWithinCapacity(Cell{column, static_cast<std::uint32_t>(text.size()),
                                   static_cast<std::uint64_t>(text.data() - source_.data()) | kInSource});
    ++row.cellCount;
    if (column >= row.width) row.width = column + 1;
  }
  // Texts that lie inside `source` are kept as views of it from now on; the
  // source must outlive the table.
  void referTo(std::string_view source) { source_ = source; }
  // The same for bytes the table then holds on to, as do its copies: a list
  // made from the rows may view the bytes too.
  void referTo(std::shared_ptr<const Bytes> owner) override {
    source_ = owner ? asText(*owner) : std::string_view{};
    owner_ = std::move(owner);
  }
  const std::shared_ptr<const Bytes>& sourceOwner() const { return owner_; }
  // Empties the table, keeping its room and its source.
  void clear();
  void setLastRowWidth(std::uint32_t width) override {
    if (!rows_.empty()) setRowWidth(rows_.size() - 1, width);
  }
  // Widens (or narrows) a row, for readers that pad every row to one width.
  void setRowWidth(std::size_t row, std::uint32_t width);

  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  RowView row(std::size_t index) const;
  // The width of the widest row; 0 for an empty table.
  std::uint32_t maxWidth() const;

  // The bytes of text the table holds.
  std::size_t textBytes() const { return text_.size(); }

 private:
  struct Row {
    std::uint64_t firstCell;
    std::uint32_t cellCount;
    std::uint32_t width;
  };

  void setCellSlowly(std::uint32_t column, std::string_view text);
  // Sorts the last row's cells by column, the later of equal columns winning.
  void normalizeLastRow() const;

  // The top bit of a cell's offset marks a text viewed in the source.
  static constexpr std::uint64_t kInSource = std::uint64_t{1} << 63;

  // Grown in place: a table of a million rows is never copied as it grows.
  mutable FlatArray<Row> rows_;
  mutable FlatArray<Cell> cells_;
  std::string text_;
  std::string_view source_;
  std::shared_ptr<const Bytes> owner_;
  mutable bool lastRowUnordered_ = false;
};

// Adds `row` at the bottom of `sink`: addRow, setCell for each of its cells
// and setLastRowWidth.
void addRowTo(RowSink& sink, const RowTable::RowView& row);

}  // namespace tamsel
