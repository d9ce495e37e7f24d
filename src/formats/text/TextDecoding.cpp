#include "formats/text/TextDecoding.h"

#include <cstdio>

#include "model/Unicode.h"

namespace tamsel {
namespace {

std::string hexByte(std::uint8_t byte) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", byte);
  return buffer;
}

bool startsWith(ByteView bytes, std::initializer_list<std::uint8_t> prefix) {
  if (bytes.size() < prefix.size()) return false;
  std::size_t i = 0;
  for (std::uint8_t b : prefix) {
    if (bytes[i++] != b) return false;
  }
  return true;
}

// `bytes` includes the two-byte byte-order mark, which is dropped.
Expected<std::string, std::string> decodeUtf16(ByteView bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0) {
    return unexpected("The file starts with a UTF-16 byte-order mark but has an odd number of bytes (" +
                      std::to_string(bytes.size()) + "), so it is not valid UTF-16 text.");
  }
  auto unitAt = [&](std::size_t offset) -> char32_t {
    return bigEndian ? (char32_t(bytes[offset]) << 8) | bytes[offset + 1]
                     : (char32_t(bytes[offset + 1]) << 8) | bytes[offset];
  };
  std::string text;
  text.reserve(bytes.size() / 2 * 3);
  for (std::size_t offset = 2; offset < bytes.size(); offset += 2) {
    char32_t unit = unitAt(offset);
    if (unicode::isHighSurrogate(unit) && offset + 2 < bytes.size() && unicode::isLowSurrogate(unitAt(offset + 2))) {
      unit = unicode::joinSurrogates(unit, unitAt(offset + 2));
      offset += 2;
    } else if (unicode::isHighSurrogate(unit) || unicode::isLowSurrogate(unit)) {
      return unexpected("The file is not valid UTF-16 text (unpaired surrogate at byte offset " +
                        std::to_string(offset) + ").");
    }
    unicode::appendUtf8(text, unit);
  }
  return text;
}

}  // namespace

Expected<std::string, std::string> decodeText(ByteView bytes) {
  if (startsWith(bytes, {0xFF, 0xFE})) return decodeUtf16(bytes, false);
  if (startsWith(bytes, {0xFE, 0xFF})) return decodeUtf16(bytes, true);
  // A UTF-8 byte-order mark is not part of the text: left in, it would glue
  // itself to the first header cell.
  const std::size_t start = startsWith(bytes, {0xEF, 0xBB, 0xBF}) ? 3 : 0;
  std::string_view text = asText(bytes.subspan(start));
  std::size_t bad = unicode::firstInvalidUtf8Byte(text);
  if (bad != std::string_view::npos) {
    return unexpected("The file is not valid UTF-8 text (invalid byte " + hexByte(bytes[start + bad]) +
                      " at offset " + std::to_string(start + bad) + ").");
  }
  return std::string(text);
}

}  // namespace tamsel
