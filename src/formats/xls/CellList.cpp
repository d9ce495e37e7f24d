#include "formats/xls/CellList.h"

#include <algorithm>

namespace tamsel::xls {

namespace {

std::uint64_t positionOf(std::uint32_t row, std::uint32_t column) {
  return static_cast<std::uint64_t>(row) << 32 | column;
}

}  // namespace

void CellList::add(std::uint32_t row, std::uint32_t column, std::string_view text) {
  std::size_t begin = text_.size();
  text_.append(text);
  commit(row, column, begin);
}

void CellList::addShared(std::uint32_t row, std::uint32_t column, std::uint32_t index) {
  auto length = static_cast<std::uint32_t>(sharedStrings_.at(index).value_or("").size());
  cells_.push_back(Cell{positionOf(row, column), index, length, true});
}

void CellList::commit(std::uint32_t row, std::uint32_t column, std::size_t textBegin) {
  cells_.push_back(Cell{positionOf(row, column), textBegin, static_cast<std::uint32_t>(text_.size() - textBegin),
                        false});
}

std::string_view CellList::textOf(const Cell& cell) const {
  if (cell.shared) return sharedStrings_.at(static_cast<std::uint32_t>(cell.offset)).value_or("");
  return std::string_view(text_).substr(cell.offset, cell.length);
}

std::optional<RowTable> CellList::buildRowTable(std::size_t textBudget) {
  RowTable table;
  if (cells_.empty()) return table;

  std::uint32_t width = 0;
  for (const Cell& cell : cells_) width = std::max(width, static_cast<std::uint32_t>(cell.position) + 1);

  // Records of one sheet nearly always come in row and column order; sort
  // only when they do not. A stable sort keeps the later of equal positions last.
  auto byPosition = [](const Cell& a, const Cell& b) { return a.position < b.position; };
  if (!std::is_sorted(cells_.begin(), cells_.end(), byPosition)) {
    std::stable_sort(cells_.begin(), cells_.end(), byPosition);
  }
  // Keep only the last cell of each position.
  auto last = cells_.begin();
  std::size_t textSize = 0;
  for (auto it = cells_.begin(); it != cells_.end(); ++it) {
    if (std::next(it) != cells_.end() && std::next(it)->position == it->position) continue;
    textSize += it->length;
    *last++ = *it;
  }
  cells_.erase(last, cells_.end());
  if (textSize > textBudget) return std::nullopt;

  table.reserve(0, cells_.size(), textSize);
  for (auto rowBegin = cells_.begin(); rowBegin != cells_.end();) {
    std::uint64_t row = rowBegin->position >> 32;
    auto rowEnd = std::find_if(rowBegin, cells_.end(), [row](const Cell& c) { return c.position >> 32 != row; });
    bool hasText = std::any_of(rowBegin, rowEnd, [](const Cell& c) { return c.length > 0; });
    if (hasText) {
      table.addRow();
      for (auto it = rowBegin; it != rowEnd; ++it) table.setCell(static_cast<std::uint32_t>(it->position), textOf(*it));
      table.setRowWidth(table.size() - 1, width);
    }
    rowBegin = rowEnd;
  }
  return table;
}

}  // namespace tamsel::xls
