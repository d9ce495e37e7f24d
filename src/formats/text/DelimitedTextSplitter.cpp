#include "formats/text/DelimitedTextSplitter.h"

#include <algorithm>
#include <cstring>

#include "formats/text/TextLines.h"
#include "model/Alphabet.h"
#include "model/Bytes.h"
#include "model/Unicode.h"

// How delimited text is split.
//
// Lines. Each of U+000A..U+000D, U+0085, U+2028 and U+2029 ends a line on its
// own (CR LF is two breaks around an empty line). A line is trimmed of white
// space (space separators and the tab) at both ends, and a line that is then
// empty is dropped. For tab-separated text the trim takes leading and
// trailing tabs with it, so such a line loses its empty first and last cells.
//
// Cells. A trimmed line is split at every delimiter that is a user-perceived
// character by itself (a comma followed by a combining mark is not a
// delimiter), and each cell is trimmed. Empty cells count.
//
// Quoted fields. A cell whose first character after its leading white space
// is a double quote is a quoted field: it runs to the matching closing quote,
// "" inside it is one quote, and delimiters and line breaks inside it belong
// to the field, so a record may span several lines. The field's text is kept
// exactly, white space and line breaks included. After the closing quote,
// white space is dropped and any other characters up to the next delimiter
// are appended as they stand (trimmed like an unquoted cell); quotes there are
// ordinary characters, as are quotes that do not open a cell. The line trim
// applies outside quotes only: white space inside a quoted field at the start
// or end of a line is field text.
//
// An opening quote that is never closed is an ordinary character, and the
// line it stands on is read by the plain rules above, as if no cell of it were
// quoted. When that line continues a record (a quoted field before it spanned
// a line break), the cells already read stay, and the rest of the line from
// the unclosed quote on is read by the plain rules.
//
// The record's text for the header test is the record as it stands, from its
// first to its last character that is not trimmed away, quotes included.
//
// Cost: every unquoted cell is a view of the input; only fields with "" or
// with characters after the closing quote are copied, into one reused buffer.
// At most one opening quote in a text can be unclosed (any later one would be
// closed by the quotes that pair up behind the first), so the scan for closing
// quotes stays linear.

namespace tamsel {
namespace {

constexpr char kQuote = '"';

std::uint8_t byteAt(std::string_view text, std::size_t i) { return static_cast<std::uint8_t>(text[i]); }

std::size_t skipLineBreak(std::string_view text, std::size_t at) {
  return at < text.size() ? at + lineBreakLength(text, at) : at;
}

// The first offset in [from, end) that is not white space, or `end`. When
// tabs delimit cells, a tab is not skipped.
std::size_t skipWhiteSpace(std::string_view text, std::size_t from, std::size_t end, bool skipTabs = true) {
  while (from < end) {
    std::uint8_t c = byteAt(text, from);
    if (c == ' ' || (c == '\t' && skipTabs)) {
      ++from;
      continue;
    }
    if (c < 0x80) break;
    std::size_t next = from;
    if (!unicode::isWhiteSpace(unicode::nextScalar(text, next)) || next > end) break;
    from = next;
  }
  return from;
}

// `end` moved back over white space, never before `begin`.
std::size_t trimmedEnd(std::string_view text, std::size_t begin, std::size_t end) {
  while (end > begin) {
    std::uint8_t c = byteAt(text, end - 1);
    if (c == ' ' || c == '\t') {
      --end;
      continue;
    }
    if (c < 0x80) break;
    char32_t scalar;
    std::size_t start = unicode::previousScalarStart(text, end, scalar);
    if (start < begin || !unicode::isWhiteSpace(scalar)) break;
    end = start;
  }
  return end;
}

}  // namespace

bool DelimitedRecordReader::next() {
  while (position_ < text_.size()) {
    std::size_t lineEnd = findLineBreak(text_, position_);
    std::size_t begin = skipWhiteSpace(text_, position_, lineEnd);
    if (begin == lineEnd) {
      position_ = skipLineBreak(text_, lineEnd);
      continue;
    }
    readRecord(begin, lineEnd);
    return true;
  }
  return false;
}

void DelimitedRecordReader::startSegment(std::size_t begin, std::size_t lineEnd) {
  lineEnd_ = lineEnd;
  segmentEnd_ = trimmedEnd(text_, begin, lineEnd);
}

void DelimitedRecordReader::readRecord(std::size_t begin, std::size_t lineEnd) {
  if (rows_) rows_->addRow();
  cellCount_ = 0;
  commaOutsideQuotes_ = false;
  recordBegin_ = begin;
  startSegment(begin, lineEnd);
  bool quotes = true;
  bool spansLines = false;
  std::size_t at = begin;
  while (true) {
    std::size_t cellBegin = skipCellSpace(at);
    std::size_t cellEnd;
    bool quoted = quotes && cellBegin < segmentEnd_ && text_[cellBegin] == kQuote;
    if (quoted) {
      std::size_t lineBefore = lineEnd_;
      if (addQuotedCell(cellBegin, cellEnd)) {
        spansLines = spansLines || lineEnd_ != lineBefore;
      } else if (!spansLines) {
        // Never closed: the whole line is read by the plain rules. Those
        // split at every delimiter the quoted reading split at (and more), so
        // the plain cells overwrite every cell stored so far.
        cellCount_ = 0;
        commaOutsideQuotes_ = false;
        quotes = false;
        at = begin;
        continue;
      } else {
        // Never closed on a line that continues the record: plain from here.
        quotes = false;
        quoted = false;
      }
    }
    if (!quoted) {
      cellEnd = findDelimiter(cellBegin, segmentEnd_);
      addUnquotedCell(cellBegin, cellEnd);
    }
    if (cellEnd >= segmentEnd_) break;
    at = cellEnd + 1;  // past the delimiter
  }
  recordEnd_ = segmentEnd_;
  position_ = skipLineBreak(text_, lineEnd_);
  // Cells that were only counted still widen the row.
  if (rows_ && cellCount_ > storedColumns_) {
    rows_->setLastRowWidth(static_cast<std::uint32_t>(std::min<std::size_t>(cellCount_, UINT32_MAX)));
  }
}

std::size_t DelimitedRecordReader::skipCellSpace(std::size_t from) const {
  return skipWhiteSpace(text_, from, segmentEnd_, delimiter_ != '\t');
}

std::size_t DelimitedRecordReader::quoteRunLength(std::size_t from) const {
  std::size_t end = from;
  while (end < text_.size() && text_[end] == kQuote) ++end;
  return end - from;
}

std::size_t DelimitedRecordReader::findDelimiter(std::size_t from, std::size_t end) const {
  while (from < end) {
    const void* hit = std::memchr(text_.data() + from, delimiter_, end - from);
    if (hit == nullptr) return end;
    std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
    if (delimiterStandsAlone(at)) return at;
    from = at + 1;
  }
  return end;
}

// A comma or semicolon joins a following combining mark (or a preceding
// prepended mark) into one user-perceived character, which is then not a
// delimiter. A tab is a control character and always stands alone.
bool DelimitedRecordReader::delimiterStandsAlone(std::size_t at) const {
  if (delimiter_ == '\t') return true;
  if (at + 1 < text_.size() && byteAt(text_, at + 1) >= 0x80) {
    std::size_t next = at + 1;
    if (unicode::extendsPreviousGrapheme(unicode::nextScalar(text_, next))) return false;
  }
  if (at > 0 && byteAt(text_, at - 1) >= 0x80) {
    char32_t previous;
    unicode::previousScalarStart(text_, at, previous);
    if (unicode::prependsToNextGrapheme(previous)) return false;
  }
  return true;
}

void DelimitedRecordReader::noteCommas(std::size_t begin, std::size_t end) {
  // Only the choice between comma and semicolon asks.
  if (delimiter_ == ';' && !commaOutsideQuotes_ && begin < end) {
    commaOutsideQuotes_ = std::memchr(text_.data() + begin, ',', end - begin) != nullptr;
  }
}

void DelimitedRecordReader::addCell(std::string_view text) {
  if (rows_ && cellCount_ < storedColumns_) rows_->setCell(static_cast<std::uint32_t>(cellCount_), text);
  ++cellCount_;
}

void DelimitedRecordReader::addUnquotedCell(std::size_t begin, std::size_t end) {
  std::size_t trimmed = trimmedEnd(text_, begin, end);
  noteCommas(begin, trimmed);
  addCell(text_.substr(begin, trimmed - begin));
}

bool DelimitedRecordReader::addQuotedCell(std::size_t quote, std::size_t& cellEnd) {
  // Find the closing quote. In a run of quotes inside the field, pairs are
  // escaped quotes; a run of odd length ends with the closing quote.
  std::size_t close = quote + 1;
  bool escaped = false;
  while (true) {
    close = text_.find(kQuote, close);
    if (close == std::string_view::npos) return false;
    std::size_t run = quoteRunLength(close);
    if (run % 2 == 1) {
      close += run - 1;
      escaped = escaped || run > 1;
      break;
    }
    escaped = true;
    close += run;
  }
  if (close > lineEnd_) startSegment(close + 1, findLineBreak(text_, close + 1));

  // What follows the closing quote, up to the delimiter: white space dropped,
  // the rest kept as it stands.
  std::size_t tailBegin = skipCellSpace(close + 1);
  cellEnd = findDelimiter(tailBegin, segmentEnd_);
  std::size_t tailEnd = trimmedEnd(text_, tailBegin, cellEnd);
  noteCommas(tailBegin, tailEnd);

  if (!rows_ || cellCount_ >= storedColumns_ || (!escaped && tailBegin == tailEnd)) {
    addCell(text_.substr(quote + 1, close - quote - 1));
    return true;
  }
  scratch_.clear();
  // Copy the text between runs of quotes; each "" gives one quote.
  for (std::size_t from = quote + 1; from < close;) {
    std::size_t quoteAt = std::min(text_.find(kQuote, from), close);
    scratch_.append(text_.substr(from, quoteAt - from));
    if (quoteAt == close) break;
    std::size_t run = quoteRunLength(quoteAt);
    scratch_.append(run / 2, kQuote);
    from = quoteAt + run;
  }
  scratch_.append(text_.substr(tailBegin, tailEnd - tailBegin));
  addCell(scratch_);
  return true;
}

SplitText splitRecords(std::string_view text, char delimiter, std::uint32_t storedColumns) {
  SplitText split;
  const std::size_t lines = countByte(text, '\n') + 1;
  const std::size_t delimiters = countByte(text, delimiter);
  const std::size_t cells = std::min(lines + delimiters, lines * std::min<std::size_t>(storedColumns, 8));
  split.rows.reserve(lines, cells, text.size());
  split.firstRecord = splitRecordsInto(text, delimiter, storedColumns, split.rows);
  return split;
}

std::string_view splitRecordsInto(std::string_view text, char delimiter, std::uint32_t storedColumns, RowSink& rows) {
  rows.beginText(text);
  DelimitedRecordReader reader(text, delimiter, &rows, storedColumns);
  std::string_view firstRecord;
  if (reader.next()) {
    firstRecord = reader.recordText();
    while (reader.next()) {
    }
  }
  rows.endText();
  return firstRecord;
}

char delimiterFor(std::string_view text, std::string_view extension) {
  if (extension != "csv") return '\t';
  // Spreadsheets in many locales save ".csv" with semicolons, and some save
  // it with tabs. The first record is read with semicolons, so that a comma
  // inside a quoted field does not count against it.
  DelimitedRecordReader reader(text, ';');
  if (!reader.next() || reader.hasCommaOutsideQuotes()) return ',';
  if (reader.cellCount() > 1) return ';';
  DelimitedRecordReader tabs(text, '\t');
  return tabs.next() && tabs.cellCount() > 1 ? '\t' : ',';
}

std::optional<RowTable> splitAtSpaceRuns(const RowTable& rows) {
  if (rows.empty() || rows.maxWidth() != 1) return std::nullopt;
  RowTable split;
  std::vector<std::size_t> sequences;  // per field: records where it is a plausible sequence
  std::size_t fields = 0;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    std::string_view record = rows.row(r).cell(0);
    split.addRow();
    std::size_t count = 0;
    for (std::size_t at = 0; at < record.size();) {
      std::size_t end = std::min(record.find_first_of(" \t", at), record.size());
      if (end > at) {
        std::string_view field = record.substr(at, end - at);
        if (count >= sequences.size()) sequences.push_back(0);
        if (isPlausibleSequence(field)) ++sequences[count];
        split.setCell(static_cast<std::uint32_t>(count++), field);
      }
      at = end + 1;
    }
    if (r == 0) fields = count;
    if (count != fields || count < 2) return std::nullopt;
  }
  for (std::size_t field = 0; field < fields; ++field) {
    if (sequences[field] * 2 > rows.size()) return split;
  }
  return std::nullopt;
}

}  // namespace tamsel
