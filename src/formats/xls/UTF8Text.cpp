#include "formats/xls/UTF8Text.h"

#include "model/Unicode.h"

namespace tamsel::xls {

namespace {

using unicode::isHighSurrogate;
using unicode::isLowSurrogate;

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
      cursor = unicode::encodeUTF8(cursor, unicode::joinSurrogates(unit, low));
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      cursor = unicode::encodeUTF8(cursor, unicode::kReplacementCharacter);
    } else {
      cursor = unicode::encodeUTF8(cursor, unit);
    }
  }
  out.resize(static_cast<std::size_t>(cursor - out.data()));
}

}  // namespace

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

void appendUTF16(std::string& out, std::span<const char16_t> units) {
  appendUnits(out, units.size(), [&](std::size_t i) { return static_cast<char32_t>(units[i]); });
}

void appendUTF16LE(std::string& out, ByteView bytes) {
  appendUnits(out, bytes.size() / 2, [&](std::size_t i) {
    return static_cast<char32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  });
}

}  // namespace tamsel::xls
