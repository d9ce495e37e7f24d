#pragma once

// Turns a reader's row table into primers: column limit, header recognition,
// column layout, clean-up and skipping of empty rows. Every format with cells
// ends here, so a rule learnt for one sheet holds for all.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Expected.h"
#include "model/PrimerEntry.h"
#include "model/ReaderError.h"
#include "model/RowTable.h"

namespace tamsel {

// A table may have at most this many columns, trailing empty cells included.
inline constexpr std::uint32_t kMaxColumns = 4;

// The column titles, in layout order, as every writer puts them in its header
// row. All but the last are header words: a first row that holds one of them
// is a header row.
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

// How the first row is recognised as a header row.
struct HeaderTest {
  // Unset (workbooks): a cell of the first row, lower-cased and trimmed,
  // equals a header word. Set (delimited text): this text, the first record
  // as it stands in the file, lower-cased, holds a header word anywhere, inside
  // longer words too ("Primer Name", "SEQUENCES").
  std::optional<std::string> firstRecordText;
};

// Fails with ImportError::tooManyColumns when a row is wider than kMaxColumns.
Expected<PrimerList, ReaderError> primersFromRows(const RowTable& rows, const HeaderTest& headerTest = {});

}  // namespace tamsel
