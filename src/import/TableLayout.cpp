#include "import/TableLayout.h"

namespace tamsel {
namespace {

std::string quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out.append(1, '"').append(text).append(1, '"');
  return out;
}

// "1-2, 5" from 0-based row indexes in increasing order.
std::string rowRanges(const std::vector<std::size_t>& rows) {
  std::string text;
  for (std::size_t i = 0; i < rows.size();) {
    std::size_t last = i;
    while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1) ++last;
    if (!text.empty()) text += ", ";
    text += std::to_string(rows[i] + 1);
    if (last > i) text.append(1, '-').append(std::to_string(rows[last] + 1));
    i = last + 1;
  }
  return text;
}

std::string columnText(const TableLayout::Column& column) {
  std::string text = columnLetter(column.index);
  if (!column.header.empty()) text.append(1, ' ').append(quoted(column.header));
  return text;
}

std::string_view readingDescription(TableLayout::Reading reading) {
  switch (reading) {
    case TableLayout::Reading::header: return "header words";
    case TableLayout::Reading::content: return "column contents (no header)";
    case TableLayout::Reading::plain: break;
  }
  return "plain layout ([Selected,] Name, Sequence, Comment)";
}

}  // namespace

std::string_view readingName(TableLayout::Reading reading) {
  switch (reading) {
    case TableLayout::Reading::header: return "header";
    case TableLayout::Reading::content: return "content";
    case TableLayout::Reading::plain: break;
  }
  return "plain";
}

std::string_view roleName(ColumnRole role) {
  switch (role) {
    case ColumnRole::selected: return "selected";
    case ColumnRole::name: return "name";
    case ColumnRole::sequence: return "sequence";
    case ColumnRole::comment: return "comment";
    case ColumnRole::forwardName: return "forward name";
    case ColumnRole::forwardSequence: return "forward sequence";
    case ColumnRole::reverseName: return "reverse name";
    case ColumnRole::reverseSequence: return "reverse sequence";
    case ColumnRole::ignored: break;
  }
  return "ignored";
}

std::string columnLetter(std::uint32_t column) {
  std::string letters;
  std::uint64_t n = std::uint64_t(column) + 1;
  while (n > 0) {
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    n = (n - 1) / 26;
  }
  return letters;
}

bool TableLayout::pairs() const { return columnWith(ColumnRole::forwardSequence).has_value(); }

std::optional<std::uint32_t> TableLayout::columnWith(ColumnRole role) const {
  for (const Column& column : columns) {
    if (column.role == role) return column.index;
  }
  return std::nullopt;
}

std::string describeLayout(const TableLayout& layout) {
  std::string line;
  if (layout.sheet) line += "Sheet " + quoted(*layout.sheet) + ": ";
  const bool opening = line.empty();
  if (layout.headerRow) {
    line += (opening ? "Header in row " : "header in row ") + std::to_string(*layout.headerRow + 1);
  } else {
    line += opening ? "No header" : "no header";
  }
  if (!layout.skippedRows.empty()) {
    line += " (" + std::string(layout.skippedRows.size() == 1 ? "row " : "rows ") + rowRanges(layout.skippedRows) +
            " skipped)";
  }
  if (layout.reading == TableLayout::Reading::plain) line += ", plain layout";
  std::string used, ignored;
  for (const TableLayout::Column& column : layout.columns) {
    std::string& list = column.role == ColumnRole::ignored ? ignored : used;
    if (!list.empty()) list += ", ";
    list += columnText(column);
    if (column.role != ColumnRole::ignored) list.append(1, ' ').append(roleName(column.role));
  }
  line += ": " + (used.empty() ? std::string("no columns") : used);
  if (layout.pairs()) line += "; two primers per row";
  if (!ignored.empty()) line += "; ignored " + ignored;
  line += ".";
  return line;
}

std::string describeLayoutInDetail(const TableLayout& layout) {
  std::string text;
  if (layout.sheet) text += "Sheet: " + *layout.sheet + "\n";
  text += "Read by: " + std::string(readingDescription(layout.reading)) + "\n";
  text += "Header row: " + (layout.headerRow ? std::to_string(*layout.headerRow + 1) : std::string("none")) + "\n";
  text += "Skipped rows: " + (layout.skippedRows.empty() ? std::string("none") : rowRanges(layout.skippedRows)) + "\n";
  text += "Columns:\n";
  std::string ignored;
  for (const TableLayout::Column& column : layout.columns) {
    std::string role(roleName(column.role));
    text += "  " + columnLetter(column.index) + "  " + role +
            std::string(role.size() < 17 ? 17 - role.size() : 1, ' ') +
            (column.header.empty() ? std::string() : quoted(column.header)) + "\n";
    if (column.role == ColumnRole::ignored) ignored += (ignored.empty() ? "" : ", ") + columnLetter(column.index);
  }
  text += "Ignored columns: " + (ignored.empty() ? std::string("none") : ignored) + "\n";
  if (layout.pairs()) text += "Primers per row: 2 (forward, then reverse)\n";
  return text;
}

}  // namespace tamsel
