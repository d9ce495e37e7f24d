#pragma once

// Writes a primer list as comma- or tab-separated text with the header line
// Selected, Name, Sequence, Comment.

#include <string>

#include "model/PrimerList.h"

namespace tamsel {

std::string generateDelimitedText(const PrimerList& primers, char separator);

}  // namespace tamsel
