#pragma once

// What the cells of each column hold, for telling columns apart when their
// header does not say (or says "primer", which may be a name or a sequence).

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/RowTable.h"

namespace tamsel {

struct ColumnContents {
  std::size_t filled = 0;     // cells that are not empty after trimming
  std::size_t sequences = 0;  // plausible sequences (isPlausibleSequence)
  std::size_t numbers = 0;
  std::size_t strandSigns = 0;  // a single "+", "-", "F" or "R"

  // Plausible sequences in most of its filled cells.
  bool mostlySequences() const { return sequences * 2 > filled; }
  // Plausible sequences in most of `rows` rows.
  bool sequencesInMostOf(std::size_t rows) const { return sequences * 2 > rows; }
  // Filled, and mostly with text that is not a number, a strand sign or a
  // plausible sequence: a name or a comment.
  bool isText() const { return filled > 0 && (numbers + strandSigns + sequences) * 2 < filled; }
};

// How many rows that are not blank tableContents looks at.
inline constexpr std::size_t kSampledRows = 5000;

struct TableContents {
  std::vector<ColumnContents> columns;  // by column index
  std::size_t rows = 0;                 // rows with at least one filled cell

  const ColumnContents& column(std::uint32_t index) const;
};

// The contents of the rows from `firstRow` on; only the first few thousand
// rows that are not blank are looked at, so that the cost does not grow with
// the table.
TableContents tableContents(const RowTable& rows, std::size_t firstRow);

// A decimal number as spreadsheets write one: "12", "-0.5", "3,2", "1e-05", "45%".
bool isNumberText(std::string_view text);

// A row none of whose cells holds anything but white space.
bool isBlankRow(const RowTable::RowView& row);

}  // namespace tamsel
