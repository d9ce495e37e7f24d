#pragma once

// The errors of the import pipeline's own rules, each with the message a user
// sees. They are reader errors of the domain "ImportError", so a reader's
// failure and the conversion's travel the same way.

#include <string>

#include "model/ReaderError.h"

namespace tamsel {

struct ImportError {
  enum class Code { tooManyColumns = 1, noValidSequence = 2, unclearColumns = 3 };

  // `columns`: the number of columns found.
  static ReaderError tooManyColumns(int columns);
  static ReaderError noValidSequence();
  // A table whose columns could be read more than one way is refused rather
  // than read with names or sequences in the wrong place; `reason` says which
  // columns, where and why.
  static ReaderError unclearColumns(std::string reason);
};

}  // namespace tamsel
