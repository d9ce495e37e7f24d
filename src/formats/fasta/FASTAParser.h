#pragma once

// Reads FASTA text: each record is a ">" line, the name up to its first space
// or tab and the comment the rest, followed by the sequence lines, joined and
// cleaned of everything outside the alphabet. Lines that begin with ";" are
// comments of the file. Errors carry the domain "FASTAParser".

#include <string_view>

#include "model/Expected.h"
#include "model/PrimerList.h"
#include "model/ReaderError.h"

namespace tamsel {

class FASTAParser {
 public:
  static Expected<PrimerList, ReaderError> parse(std::string_view text);
};

// True when the first non-blank line of `text` begins with ">", the mark that
// sends text of any extension to the FASTA reader.
bool startsLikeFASTA(std::string_view text);

}  // namespace tamsel
