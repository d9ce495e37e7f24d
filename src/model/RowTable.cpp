#include "model/RowTable.h"

#include <algorithm>

namespace tamsel {

std::string_view RowTable::RowView::cell(std::uint32_t column) const {
  // A row without gaps holds column c at index c.
  if (column < cells_.size() && cells_[column].column == column) return text(cells_[column]);
  auto it = std::lower_bound(cells_.begin(), cells_.end(), column,
                             [](const Cell& c, std::uint32_t col) { return c.column < col; });
  if (it == cells_.end() || it->column != column) return {};
  return text(*it);
}

void RowTable::reserve(std::size_t rows, std::size_t cells, std::size_t textBytes) {
  rows_.reserve(rows);
  cells_.reserve(cells);
  text_.reserve(textBytes);
}

void RowTable::addRow() {
  normalizeLastRow();
  rows_.push_back(Row{cells_.size(), 0, 0});
}

void RowTable::setCellSlowly(std::uint32_t column, std::string_view text) {
  if (rows_.empty()) addRow();
  Row& row = rows_.back();
  if (row.cellCount > 0 && cells_.back().column >= column) lastRowUnordered_ = true;
  const auto length = static_cast<std::uint32_t>(text.size());
  if (!source_.empty() && liesWithin(text, source_)) {
    cells_.push_back(Cell{column, length, static_cast<std::uint64_t>(text.data() - source_.data()) | kInSource});
  } else {
    cells_.push_back(Cell{column, length, text_.size()});
    text_.append(text);
  }
  ++row.cellCount;
  if (column >= row.width) row.width = column + 1;
}

void RowTable::clear() {
  rows_.clear();
  cells_.clear();
  text_.clear();
  lastRowUnordered_ = false;
}

void RowTable::setRowWidth(std::size_t row, std::uint32_t width) {
  if (row < rows_.size()) rows_[row].width = width;
}

void RowTable::normalizeLastRow() const {
  if (!lastRowUnordered_ || rows_.empty()) return;
  lastRowUnordered_ = false;
  const Row& row = rows_.back();
  auto first = cells_.begin() + static_cast<std::ptrdiff_t>(row.firstCell);
  std::stable_sort(first, cells_.end(), [](const Cell& a, const Cell& b) { return a.column < b.column; });
  // Keep the last cell of each run of equal columns: it was set last.
  auto out = first;
  for (auto it = first; it != cells_.end(); ++it) {
    if (std::next(it) != cells_.end() && std::next(it)->column == it->column) continue;
    *out++ = *it;
  }
  cells_.shrinkTo(static_cast<std::size_t>(out - cells_.begin()));
  rows_.back().cellCount = static_cast<std::uint32_t>(cells_.size() - row.firstCell);
}

RowTable::RowView RowTable::row(std::size_t index) const {
  if (index + 1 == rows_.size()) normalizeLastRow();
  const Row& r = rows_[index];
  return RowView(std::span<const Cell>(cells_.data() + r.firstCell, r.cellCount), r.width, &text_, source_.data());
}

std::uint32_t RowTable::maxWidth() const {
  std::uint32_t widest = 0;
  for (const Row& r : rows_) widest = std::max(widest, r.width);
  return widest;
}

}  // namespace tamsel
