#pragma once

// Spreadsheet texts carry characters that XML cannot hold (and carriage
// returns, which XML reading would turn into line feeds) as _xHHHH_, the
// code unit in four hex digits; a literal "_x" sequence is itself written
// with its underscore escaped, as _x005F_.

#include <string>
#include <string_view>

namespace tamsel::xlsx {

// Appends `text` to `out` with each _xHHHH_ replaced by its character,
// scanning left to right: _x005F_x0041_ gives the literal text _x0041_.
// An escaped surrogate pair gives one character; a lone surrogate stays as
// written, so the result is always valid UTF-8 when `text` is.
void appendUnescaped(std::string& out, std::string_view text);

}  // namespace tamsel::xlsx
