#pragma once

// How a table of cells was read into primers: which row is the header, which
// column gives which field, what was left out. Shown by `tamsel-cli layout`,
// above the table of `tamsel-cli show` and in the window's note.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel {

enum class ColumnRole {
  ignored,
  selected,
  name,
  sequence,
  comment,
  forwardName,
  forwardSequence,
  reverseName,
  reverseSequence,
};

// "name", "forward sequence", ... as the layout description writes them.
std::string_view roleName(ColumnRole role);

// "A" for column 0, "Z" for 25, "AA" for 26, as spreadsheets letter them.
std::string columnLetter(std::uint32_t column);

struct TableLayout {
  enum class Reading {
    plain,    // the positional layout: [selected,] name, sequence, comment
    header,   // columns named by the words of a header row
    content,  // no header: the sequence column found by its cells
  };
  struct Column {
    std::uint32_t index = 0;
    std::string header;  // the header cell, trimmed; empty without a header
    ColumnRole role = ColumnRole::ignored;
  };

  Reading reading = Reading::plain;
  // The worksheet, when the reader reports one.
  std::optional<std::string> sheet;
  // Row indexes in the table, 0 for its first row.
  std::optional<std::size_t> headerRow;
  std::vector<std::size_t> skippedRows;  // above the header: titles, legends
  // Every column of the table, left to right.
  std::vector<Column> columns;

  bool pairs() const;
  std::optional<std::uint32_t> columnWith(ColumnRole role) const;
};

// "plain", "header" or "content".
std::string_view readingName(TableLayout::Reading reading);

// One line: "Header row 3 (rows 1-2 skipped): A "Name" name, C "Seq" sequence;
// ignored: B "Scale"." Rows are counted from 1 as a sheet numbers them.
std::string describeLayout(const TableLayout& layout);

// Several lines: the sheet, the header row, one line per column, the ignored
// columns and the skipped rows.
std::string describeLayoutInDetail(const TableLayout& layout);

}  // namespace tamsel
