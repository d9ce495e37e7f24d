#pragma once

// Writes a primer list as comma- or tab-separated text with the header line
// Selected, Name, Sequence, Comment.

#include <string>

#include "model/ByteSink.h"
#include "model/PrimerList.h"

namespace tamsel {

void writeDelimitedText(const PrimerList& primers, char separator, ByteSink& out);
// The same text in one string, for the clipboard.
std::string generateDelimitedText(const PrimerList& primers, char separator);

}  // namespace tamsel
