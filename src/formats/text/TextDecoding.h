#pragma once

// Decodes the bytes of a text file: UTF-8 (a leading byte-order mark
// dropped), or UTF-16 LE/BE when the file starts with that byte-order mark.
// Text that is not valid UTF-8 and has no byte-order mark is read as
// Windows-1252; with the UTF-8 mark it is an error.
// The error's message is shown after "Failed to read file: ".

#include <optional>
#include <string>
#include <string_view>

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/ReaderError.h"

namespace tamsel {

Expected<std::string, ReaderError> decodeText(ByteView bytes);

// The same without a copy when the bytes are UTF-8 already: the text then
// views the bytes (less a UTF-8 byte-order mark), which must outlive it.
class DecodedText {
 public:
  explicit DecodedText(std::string_view inBytes) : inBytes_(inBytes) {}
  explicit DecodedText(std::string converted) : converted_(std::move(converted)) {}
  std::string_view text() const { return converted_ ? std::string_view(*converted_) : inBytes_; }

 private:
  std::string_view inBytes_;
  std::optional<std::string> converted_;
};

Expected<DecodedText, ReaderError> decodeTextInPlace(ByteView bytes);

}  // namespace tamsel
