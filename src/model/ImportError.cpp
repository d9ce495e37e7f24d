#include "model/ImportError.h"

namespace tamsel {

std::string ImportError::message() const {
  switch (kind) {
    case Kind::tooManyColumns:
      return "The file has " + std::to_string(columns) +
             " columns, which is more than the maximum of 4 (Selected, Name, Sequence, Comment). "
             "This does not appear to be a valid primer file.";
    case Kind::unclearColumns:
      return reason;
    case Kind::noValidSequence:
      break;
  }
  return "No valid DNA sequence of at least 5 characters was found. This does not appear to be a valid primer "
         "file.";
}

}  // namespace tamsel
