#pragma once

// Splits delimited text into records and cells. Used by the text reader; kept
// apart so that the header test can see a record's text as it stands.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "model/RowTable.h"

namespace tamsel {

// Reads one record after another, skipping blank lines, and adds each as a
// row to a table (or only counts its cells when there is no table).
class DelimitedRecordReader {
 public:
  // Cells at `storedColumns` and beyond are counted in the row's width but
  // not stored, so that a line of a million delimiters costs no memory when
  // only its width matters.
  DelimitedRecordReader(std::string_view text, char delimiter, RowSink* rows = nullptr,
                        std::uint32_t storedColumns = std::numeric_limits<std::uint32_t>::max())
      : text_(text), delimiter_(delimiter), rows_(rows), storedColumns_(storedColumns) {}

  // Reads the next record that is not blank; false at the end of the text.
  bool next();

  std::size_t cellCount() const { return cellCount_; }
  // The record as it stands in the text, quotes and delimiters included,
  // trimmed of white space at both ends.
  std::string_view recordText() const { return text_.substr(recordBegin_, recordEnd_ - recordBegin_); }
  // Whether a comma occurs in the record outside quoted fields; known when
  // semicolons delimit.
  bool hasCommaOutsideQuotes() const { return commaOutsideQuotes_; }

 private:
  void readRecord(std::size_t begin, std::size_t lineEnd);
  // Starts the physical line segment [begin, lineEnd): its end without
  // trailing white space bounds every unquoted cell.
  void startSegment(std::size_t begin, std::size_t lineEnd);
  void addCell(std::string_view text);
  void addUnquotedCell(std::size_t begin, std::size_t end);
  // A quoted field whose opening quote is at `quote`; false when it is never
  // closed. `cellEnd` is the delimiter after it or the segment's end.
  bool addQuotedCell(std::size_t quote, std::size_t& cellEnd);
  std::size_t skipCellSpace(std::size_t from) const;
  std::size_t quoteRunLength(std::size_t from) const;
  std::size_t findDelimiter(std::size_t from, std::size_t end) const;
  bool delimiterStandsAlone(std::size_t at) const;
  void noteCommas(std::size_t begin, std::size_t end);

  std::string_view text_;
  char delimiter_;
  RowSink* rows_;
  std::uint32_t storedColumns_;
  std::size_t position_ = 0;
  std::size_t lineEnd_ = 0;
  std::size_t segmentEnd_ = 0;  // lineEnd_ less trailing white space
  std::size_t recordBegin_ = 0;
  std::size_t recordEnd_ = 0;
  std::size_t cellCount_ = 0;
  bool commaOutsideQuotes_ = false;
  std::string scratch_;  // a quoted field's text with "" made one quote
};

struct SplitText {
  RowTable rows;
  std::string_view firstRecord;  // see DelimitedRecordReader::recordText
};

SplitText splitRecords(std::string_view text, char delimiter,
                       std::uint32_t storedColumns = std::numeric_limits<std::uint32_t>::max());

// The same into any sink: the cells as they are read, and the first record's text.
std::string_view splitRecordsInto(std::string_view text, char delimiter, std::uint32_t storedColumns, RowSink& rows);

// "," for "csv" (";" when the first record has no comma outside quotes but is
// split by semicolons; the tab when it holds neither outside quotes but is
// split by tabs), the tab for every other extension.
char delimiterFor(std::string_view text, std::string_view extension);

// A table none of whose records held the delimiter, split again at runs of
// spaces: when every record gives the same number (2 or more) of fields and
// one field is a plausible sequence in most records ("P1  ACGTACGT").
std::optional<RowTable> splitAtSpaceRuns(const RowTable& rows);

}  // namespace tamsel
