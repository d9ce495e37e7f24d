#pragma once

// The error record of the spreadsheet readers: a domain ("XLSParser",
// "XLSXParser"), a code and the message a user sees after
// "Failed to read file: ".

#include <string>

namespace tamsel {

struct ReaderError {
  std::string domain;
  int code = 0;
  std::string message;
};

}  // namespace tamsel
