#pragma once

// Writes a primer list as FASTA: for each primer a line ">name comment" (the
// comment and its space only when the comment is not empty), then the whole
// sequence on one line; LF line ends. A primer without a sequence has no
// sequence line. The selected flag is not written.

#include <string>

#include "model/ByteSink.h"
#include "model/PrimerList.h"

namespace tamsel {

class FASTAWriter {
 public:
  static void write(const PrimerList& primers, ByteSink& out);
  // The whole text in one string.
  static std::string write(const PrimerList& primers);
};

}  // namespace tamsel
