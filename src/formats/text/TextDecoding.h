#pragma once

// Decodes the bytes of a text file: UTF-8 (a leading byte-order mark
// dropped), or UTF-16 LE/BE when the file starts with that byte-order mark.
// Text that is not valid UTF-8 and has no byte-order mark is read as
// Windows-1252; with the UTF-8 mark it is an error.
// The error's message is shown after "Failed to read file: ".

#include <string>

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/ReaderError.h"

namespace tamsel {

Expected<std::string, ReaderError> decodeText(ByteView bytes);

}  // namespace tamsel
