#pragma once

// The column titles of the plain layout ([Selected,] Name, Sequence, Comment)
// and its header test. Every writer puts the titles in its header row; the
// row-to-primer step (import/ConvertRows) keeps the plain layout for tables
// it reads as their header says.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/RowTable.h"

namespace tamsel {

// The plain layout's limit, trailing empty cells included; a table whose
// header names its columns has none.
inline constexpr std::uint32_t kMaxColumns = 4;

// The column titles, in layout order. All but the last are header words: a
// first row that holds one of them is a header row of the plain layout.
inline constexpr std::string_view kSelectedTitle = "Selected";
inline constexpr std::string_view kNameTitle = "Name";
inline constexpr std::string_view kSequenceTitle = "Sequence";
inline constexpr std::string_view kCommentTitle = "Comment";
inline constexpr std::array<std::string_view, kMaxColumns> kColumnTitles = {kSelectedTitle, kNameTitle,
                                                                           kSequenceTitle, kCommentTitle};

// A header cell as it is compared: lower-cased, then trimmed of white space.
std::string normalizedHeaderCell(std::string_view cell);

// True when `cell`, lower-cased and trimmed, is `title` lower-cased: the
// whole-cell test of a header cell (" SEQUENCE " names the sequence column).
bool isHeaderCellOf(std::string_view cell, std::string_view title);

// How the plain layout recognises its header row.
struct HeaderTest {
  // Unset (workbooks): a cell of the first row, lower-cased and trimmed,
  // equals a header word. Set (delimited text): this text, the first record
  // as it stands in the file, lower-cased, holds a header word anywhere, inside
  // longer words too ("Primer Name", "SEQUENCES").
  std::optional<std::string> firstRecordText;
};

bool isPlainHeaderRow(const RowTable::RowView& first, const HeaderTest& test);

}  // namespace tamsel
