#pragma once

// Reads a Helmvard primer file (.nsub) into primers and the two list-wide
// settings. Any structural fault fails the whole read; text that is not valid
// UTF-8 becomes the empty text and reading goes on.

#include <string_view>

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/PrimerEntry.h"

namespace tamsel {

enum class NSubParserError { fileTooShort, invalidHeader, unexpectedEnd };

// The message a user sees after "Failed to read file: ".
std::string_view message(NSubParserError error);

struct NSubContents {
  PrimerList primers;
  int defaultMismatches = kDefaultMismatches;
  int endMatches = kDefaultEndMatches;
};

class NSubParser {
 public:
  // The settings come from the first record; a file without records keeps the
  // defaults.
  static Expected<NSubContents, NSubParserError> parse(ByteView data);
};

}  // namespace tamsel
