#pragma once

// Writing text into the parts of an exported workbook.

#include <charconv>
#include <cstddef>
#include <iterator>
#include <string_view>

#include "model/ByteSink.h"

namespace tamsel::xlsx {

inline void writeDecimal(ByteSink& out, std::size_t value) {
  char digits[24];
  const char* end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
  out.write(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

// Writes `text` as the character data of a shared string's <t> element.
//
// "&", "<", ">" and the double quote become entities; apostrophes, tabs and
// line feeds stay as they are. Characters XML 1.0 forbids (controls other
// than tab, line feed and carriage return; U+FFFE, U+FFFF) and the carriage
// return, which XML reading would turn into a line feed, become the
// spreadsheet escape "_xHHHH_". An underscore that would otherwise read back
// as the start of such an escape ("_x" and one to four hex digits before an
// underscore) is itself written as "_x005F_". A byte that
// is not part of well-formed UTF-8 is written as U+FFFD, so the part always
// stays well-formed XML.
void writeEscapedCellText(std::string_view text, ByteSink& out);

}  // namespace tamsel::xlsx
