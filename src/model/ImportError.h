#pragma once

// The error values of the import pipeline, each with the message a user sees.

#include <string>

namespace tamsel {

struct ImportError {
  enum class Kind { tooManyColumns, noValidSequence };

  Kind kind;
  int columns = 0;  // the number of columns found, for tooManyColumns

  static ImportError tooManyColumns(int columns) { return {Kind::tooManyColumns, columns}; }
  static ImportError noValidSequence() { return {Kind::noValidSequence, 0}; }

  std::string message() const;
};

}  // namespace tamsel
