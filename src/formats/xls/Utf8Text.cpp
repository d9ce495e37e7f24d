#include "formats/xls/Utf8Text.h"

namespace tamsel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Writes the UTF-8 form of `codePoint` at `out`; returns the byte after it.
char* encode(char* out, char32_t codePoint) {
  if (codePoint < 0x80) {
    *out++ = static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
    *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
    *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
    *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  return out;
}

// Decodes code units given by `unitAt(i)` for i in [0, count). The output
// grows once by the largest size the units can take (3 bytes each; a
// surrogate pair takes 4 for its 2 units) and is cut back after.
template <class UnitAt>
void appendUnits(std::string& out, std::size_t count, UnitAt unitAt) {
  std::size_t start = out.size();
  out.resize(start + 3 * count);
  char* cursor = out.data() + start;
  for (std::size_t i = 0; i < count; ++i) {
    char32_t unit = unitAt(i);
    if (unit < 0x80) {
      *cursor++ = static_cast<char>(unit);
    } else if (isHighSurrogate(unit) && i + 1 < count && isLowSurrogate(unitAt(i + 1))) {
      char32_t low = unitAt(++i);
      cursor = encode(cursor, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      cursor = encode(cursor, kReplacement);
    } else {
      cursor = encode(cursor, unit);
    }
  }
  out.resize(static_cast<std::size_t>(cursor - out.data()));
}

}  // namespace

void appendUtf8(std::string& out, char32_t codePoint) {
  char buffer[4];
  out.append(buffer, encode(buffer, codePoint));
}

void appendLatin1(std::string& out, ByteView bytes) {
  // Most texts are ASCII, whose bytes are their own UTF-8.
  bool ascii = true;
  for (std::uint8_t byte : bytes) ascii &= byte < 0x80;
  if (ascii) {
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return;
  }
  appendUnits(out, bytes.size(), [&](std::size_t i) { return static_cast<char32_t>(bytes[i]); });
}

void appendUtf16(std::string& out, std::span<const char16_t> units) {
  appendUnits(out, units.size(), [&](std::size_t i) { return static_cast<char32_t>(units[i]); });
}

void appendUtf16LE(std::string& out, ByteView bytes) {
  appendUnits(out, bytes.size() / 2, [&](std::size_t i) {
    return static_cast<char32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  });
}

}  // namespace tamsel
