#pragma once

// The one error every reader, and the row-to-primer conversion, gives back: a
// domain naming the reader ("XLSParser", "XLSXParser", "NSubParser",
// "DelimitedText", "ImportError"), a code within that domain and the message
// a user sees after "Failed to read file: ".

#include <string>

namespace tamsel {

struct ReaderError {
  std::string domain;
  int code = 0;
  std::string message;
};

}  // namespace tamsel
