#include "formats/xls/Utf8Text.h"

namespace tamsel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Decodes code units given by `unitAt(i)` for i in [0, count).
template <class UnitAt>
void appendUnits(std::string& out, std::size_t count, UnitAt unitAt) {
  out.reserve(out.size() + count);
  for (std::size_t i = 0; i < count; ++i) {
    char32_t unit = unitAt(i);
    if (unit < 0x80) {
      out.push_back(static_cast<char>(unit));
    } else if (isHighSurrogate(unit) && i + 1 < count && isLowSurrogate(unitAt(i + 1))) {
      char32_t low = unitAt(++i);
      appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      appendUtf8(out, kReplacement);
    } else {
      appendUtf8(out, unit);
    }
  }
}

}  // namespace

void appendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

void appendLatin1(std::string& out, ByteView bytes) {
  out.reserve(out.size() + bytes.size());
  for (std::uint8_t byte : bytes) {
    if (byte < 0x80) {
      out.push_back(static_cast<char>(byte));
    } else {
      out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
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
