#pragma once

// Reads a Helmvard primer file (.nsub) into primers and the two list-wide
// settings. Any structural fault fails the whole read; text that is not valid
// UTF-8 becomes the empty text and reading goes on.

#include "formats/ReadResult.h"

namespace tamsel {

// The codes of the reader's errors (domain "NSubParser").
enum class NSubParserError { fileTooShort = 1, invalidHeader, unexpectedEnd };

class NSubParser {
 public:
  // The primers and the settings, which come from the first record; a file
  // without records keeps the defaults.
  static Expected<PrimersRead, ReaderError> parse(ByteView data);
};

}  // namespace tamsel
