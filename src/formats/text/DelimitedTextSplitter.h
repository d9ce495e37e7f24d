#pragma once

// Splits delimited text into records and cells. Used by the text reader; kept
// apart so that the header test can see a record's text as it stands.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/RowTable.h"

namespace tamsel {

// Reads one record after another, skipping blank lines. The cells it yields
// stay valid until the next call of next().
class DelimitedRecordReader {
 public:
  DelimitedRecordReader(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

  // Reads the next record that is not blank; false at the end of the text.
  bool next();

  std::size_t cellCount() const { return cells_.size(); }
  std::string_view cell(std::size_t index) const;
  // The record as it stands in the text, quotes and delimiters included,
  // trimmed of white space at both ends.
  std::string_view recordText() const { return text_.substr(recordBegin_, recordEnd_ - recordBegin_); }
  // Whether a comma occurs in the record outside quoted fields.
  bool hasCommaOutsideQuotes() const { return commaOutsideQuotes_; }

 private:
  struct Cell {
    bool inScratch;  // unescaped text in scratch_, else a view of the input
    std::size_t offset;
    std::size_t length;
  };

  void readRecord(std::size_t begin, std::size_t lineEnd);
  // Starts the physical line segment [begin, lineEnd): its end without
  // trailing white space bounds every unquoted cell.
  void startSegment(std::size_t begin, std::size_t lineEnd);
  void addCell(std::size_t begin, std::size_t end);
  // A quoted field whose opening quote is at `quote`; false when it is never
  // closed. `cellEnd` is the delimiter after it or the segment's end.
  bool addQuotedCell(std::size_t quote, std::size_t& cellEnd);
  std::size_t skipCellSpace(std::size_t from) const;
  std::size_t findDelimiter(std::size_t from, std::size_t end) const;
  bool delimiterStandsAlone(std::size_t at) const;
  void noteCommas(std::size_t begin, std::size_t end);

  std::string_view text_;
  char delimiter_;
  std::size_t position_ = 0;
  std::size_t lineEnd_ = 0;
  std::size_t segmentEnd_ = 0;  // lineEnd_ less trailing white space
  std::size_t recordBegin_ = 0;
  std::size_t recordEnd_ = 0;
  bool commaOutsideQuotes_ = false;
  std::vector<Cell> cells_;
  std::string scratch_;
};

struct SplitText {
  RowTable rows;
  std::string_view firstRecord;  // see DelimitedRecordReader::recordText
};

SplitText splitRecords(std::string_view text, char delimiter);

// "," for "csv" (";" when the first record has no comma outside quotes but is
// split by semicolons), the tab for every other extension.
char delimiterFor(std::string_view text, std::string_view extension);

}  // namespace tamsel
