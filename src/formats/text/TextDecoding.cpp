#include "formats/text/TextDecoding.h"

#include <cstdio>

#include "model/Unicode.h"

namespace tamsel {
namespace {

ReaderError notText(std::string message) { return {"DelimitedText", 1, std::move(message)}; }

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
Expected<std::string, ReaderError> decodeUTF16(ByteView bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0) {
    return unexpected(notText("The file starts with a UTF-16 byte-order mark but has an odd number of bytes (" +
                              std::to_string(bytes.size()) + "), so it is not valid UTF-16 text."));
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
      return unexpected(notText("The file is not valid UTF-16 text (unpaired surrogate at byte offset " +
                                std::to_string(offset) + ")."));
    }
    unicode::appendUTF8(text, unit);
  }
  return text;
}

// Windows-1252 is ISO-8859-1 except for 0x80-0x9F, which hold typographic
// characters; the five bytes it leaves undefined stand for the C1 controls
// of the same number, so that every byte decodes.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string decodeWindows1252(ByteView bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 2);
  for (std::uint8_t byte : bytes) {
    char32_t scalar = byte >= 0x80 && byte <= 0x9F ? kWindows1252High[byte - 0x80] : byte;
    unicode::appendUTF8(text, scalar);
  }
  return text;
}

}  // namespace

Expected<std::string, ReaderError> decodeText(ByteView bytes) {
  auto decoded = decodeTextInPlace(bytes);
  if (!decoded) return unexpected(decoded.error());
  return std::string(decoded->text());
}

Expected<DecodedText, ReaderError> decodeTextInPlace(ByteView bytes) {
  const auto converted = [](Expected<std::string, ReaderError> text) -> Expected<DecodedText, ReaderError> {
    if (!text) return unexpected(text.error());
    return DecodedText(std::move(*text));
  };
  if (startsWith(bytes, {0xFF, 0xFE})) return converted(decodeUTF16(bytes, false));
  if (startsWith(bytes, {0xFE, 0xFF})) return converted(decodeUTF16(bytes, true));
  // A UTF-8 byte-order mark is not part of the text: left in, it would glue
  // itself to the first header cell.
  const std::size_t start = startsWith(bytes, {0xEF, 0xBB, 0xBF}) ? 3 : 0;
  std::string_view text = asText(bytes.subspan(start));
  std::size_t bad = unicode::firstInvalidUTF8Byte(text);
  // Without a byte-order mark, text that is not UTF-8 is what spreadsheet
  // programs on Windows save as "CSV": Windows-1252.
  if (bad != std::string_view::npos && start == 0) return DecodedText(decodeWindows1252(bytes));
  if (bad != std::string_view::npos) {
    return unexpected(notText("The file is not valid UTF-8 text (invalid byte " + hexByte(bytes[start + bad]) +
                              " at offset " + std::to_string(start + bad) + ")."));
  }
  return DecodedText(text);
}

}  // namespace tamsel
