#pragma once

// Line breaks of decoded text, and a reader of its non-blank lines. Each of
// U+000A..U+000D, U+0085, U+2028 and U+2029 ends a line on its own.

#include <cstddef>
#include <string_view>

namespace tamsel {

// The byte length of the line break at `i`, or 0 when none starts there.
std::size_t lineBreakLength(std::string_view text, std::size_t i);

// The same, except that CR LF counts as one line end of two bytes.
std::size_t lineEndLength(std::string_view text, std::size_t i);

// The offset of the first line break at or after `from`, or the text's size.
std::size_t findLineBreak(std::string_view text, std::size_t from);

// Reads the lines of a text one after another, each trimmed of white space,
// skipping the lines that are then empty. Line numbers count from 1 as an
// editor shows them: CR LF ends one line.
class TextLineReader {
 public:
  explicit TextLineReader(std::string_view text) : text_(text) {}

  // Moves to the next non-blank line; false at the end of the text.
  bool next();
  std::string_view line() const { return line_; }
  std::size_t lineNumber() const { return lineNumber_; }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
  std::size_t nextLineNumber_ = 1;
  std::string_view line_;
  std::size_t lineNumber_ = 0;
};

}  // namespace tamsel
