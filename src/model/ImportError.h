#pragma once

// The error values of the import pipeline, each with the message a user sees.

#include <string>

namespace tamsel {

struct ImportError {
  enum class Kind { tooManyColumns, noValidSequence, unclearColumns };

  Kind kind;
  int columns = 0;     // the number of columns found, for tooManyColumns
  std::string reason;  // for unclearColumns: which columns, where and why

  static ImportError tooManyColumns(int columns) { return {Kind::tooManyColumns, columns, {}}; }
  static ImportError noValidSequence() { return {Kind::noValidSequence, 0, {}}; }
  // A table whose columns could be read more than one way is refused rather
  // than read with names or sequences in the wrong place.
  static ImportError unclearColumns(std::string reason) { return {Kind::unclearColumns, 0, std::move(reason)}; }

  std::string message() const;
};

}  // namespace tamsel
