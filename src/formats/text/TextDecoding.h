#pragma once

// Decodes the bytes of a text file: strict UTF-8 (a leading byte-order mark
// dropped), or UTF-16 LE/BE when the file starts with that byte-order mark.
// The error is the description shown after "Failed to read file: ".

#include <string>

#include "model/Bytes.h"
#include "model/Expected.h"

namespace tamsel {

Expected<std::string, std::string> decodeText(ByteView bytes);

}  // namespace tamsel
