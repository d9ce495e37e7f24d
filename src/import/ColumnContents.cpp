#include "import/ColumnContents.h"

#include <algorithm>

#include "model/Alphabet.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

// Columns beyond this (only a damaged file names them) are not looked at.
constexpr std::uint32_t kMaxColumns = 1u << 16;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isStrandSign(std::string_view text) {
  return text == "+" || text == "-" || text == "F" || text == "R" || text == "f" || text == "r" ||
         text == "\xE2\x88\x92";  // minus sign
}

}  // namespace

const ColumnContents& TableContents::column(std::uint32_t index) const {
  static const ColumnContents kEmpty;
  return index < columns.size() ? columns[index] : kEmpty;
}

bool isNumberText(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  std::size_t digits = 0;
  bool separator = false;
  for (; i < text.size(); ++i) {
    if (isDigit(text[i])) {
      ++digits;
    } else if ((text[i] == '.' || text[i] == ',') && !separator) {
      separator = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t exponent = i + 1;
    if (exponent < text.size() && (text[exponent] == '-' || text[exponent] == '+')) ++exponent;
    std::size_t exponentDigits = exponent;
    while (exponentDigits < text.size() && isDigit(text[exponentDigits])) ++exponentDigits;
    if (exponentDigits == exponent) return false;
    i = exponentDigits;
  }
  if (i < text.size() && text[i] == '%') ++i;
  return i == text.size();
}

bool isBlankRow(const RowTable::RowView& row) {
  for (const RowTable::Cell& cell : row.cells()) {
    if (!unicode::trimWhiteSpace(row.text(cell)).empty()) return false;
  }
  return true;
}

TableContents tableContents(const RowTable& rows, std::size_t firstRow) {
  TableContents contents;
  contents.columns.resize(std::min(rows.maxWidth(), kMaxColumns));
  for (std::size_t r = firstRow; r < rows.size() && contents.rows < kSampledRows; ++r) {
    const RowTable::RowView row = rows.row(r);
    bool filledRow = false;
    for (const RowTable::Cell& cell : row.cells()) {
      if (cell.column >= contents.columns.size()) break;
      std::string_view text = unicode::trimWhiteSpace(row.text(cell));
      if (text.empty()) continue;
      filledRow = true;
      ColumnContents& column = contents.columns[cell.column];
      ++column.filled;
      if (isPlausibleSequence(text)) {
        ++column.sequences;
      } else if (isNumberText(text)) {
        ++column.numbers;
      } else if (isStrandSign(text)) {
        ++column.strandSigns;
      }
    }
    if (filledRow) ++contents.rows;
  }
  return contents;
}

}  // namespace tamsel
