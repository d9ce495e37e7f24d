#include "formats/text/DelimitedTextWriter.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/ChunkedWrite.h"
#include "model/ColumnTitles.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

// A comma next to a combining mark at the start of the field, or to a
// prepended mark at its end, would become part of one user-perceived
// character with it and stop separating.
bool joinsSeparator(std::string_view field) {
  if (field.empty()) return false;
  // Every such mark lies outside ASCII.
  if ((static_cast<unsigned char>(field.front()) | static_cast<unsigned char>(field.back())) < 0x80) return false;
  std::size_t offset = 0;
  if (unicode::extendsPreviousGrapheme(unicode::nextScalar(field, offset))) return true;
  char32_t last;
  unicode::previousScalarStart(field, field.size(), last);
  return unicode::prependsToNextGrapheme(last);
}

// The bytes a field's scan stops at: the separator, a double quote, the
// ASCII line breaks and every byte of a multi-byte scalar (which may be a
// line break too). All others pass at one lookup each.
class FieldStops {
 public:
  explicit FieldStops(char separator) : separator_(separator) {
    for (int c = 0; c < 256; ++c) stops_[c] = c >= 0x80 || unicode::isLineBreak(static_cast<char32_t>(c));
    stops_[static_cast<unsigned char>(separator)] = stops_['"'] = true;
  }

  // A field needs quotes when reading it back would otherwise split or join
  // it: it holds the separator, a double quote or a line break, or would join
  // the separator. Every other field is written exactly as it is.
  bool needsQuotes(std::string_view field) const {
    if (separator_ != '\t' && joinsSeparator(field)) return true;
    if (!mayStop(field)) return false;
    for (std::size_t i = 0; i < field.size(); ++i) {
      const auto c = static_cast<unsigned char>(field[i]);
      if (!stops_[c]) continue;
      if (c < 0x80) return true;
      // A copy of the index: the scan's own stays in a register.
      std::size_t next = i;
      if (unicode::isLineBreak(unicode::nextScalar(field, next))) return true;
      i = next - 1;
    }
    return false;
  }

 private:
  // Whether any byte of the field may stop the scan, eight bytes at a time,
  // the last eight overlapping the ones before; a short field is read in
  // pieces that overlap likewise, and padded with spaces.
  bool mayStop(std::string_view field) const {
    const char* p = field.data();
    const std::size_t n = field.size();
    if (n >= 8) {
      for (std::size_t i = 0; i + 8 < n; i += 8) {
        if (mayStop(load<std::uint64_t>(p + i))) return true;
      }
      return mayStop(load<std::uint64_t>(p + n - 8));
    }
    std::uint64_t word = 0x2020202020202020;
    if (n >= 4) {
      word = load<std::uint32_t>(p) | std::uint64_t{load<std::uint32_t>(p + n - 4)} << 32;
    } else {
      for (std::size_t i = 0; i < n; ++i) {
        word = (word << 8) | static_cast<unsigned char>(p[i]);
      }
    }
    return mayStop(word);
  }
  template <typename Word>
  static Word load(const char* at) {
    Word word;
    std::memcpy(&word, at, sizeof word);
    return word;
  }

  // Whether a byte of `word` may be a stop: a control (every ASCII line break
  // is one), a byte from 0x80 up, a double quote or the separator. A false
  // alarm only sends the bytes through the exact scan.
  bool mayStop(std::uint64_t word) const {
    constexpr std::uint64_t ones = 0x0101010101010101, highs = 0x8080808080808080;
    const auto hasZeroByte = [](std::uint64_t w) { return (w - ones) & ~w & highs; };
    const std::uint64_t controls = (word - ones * 0x20) & ~word & highs;
    return (controls | (word & highs) | hasZeroByte(word ^ (ones * '"')) |
            hasZeroByte(word ^ (ones * static_cast<unsigned char>(separator_)))) != 0;
  }

  char separator_;
  std::array<bool, 256> stops_{};
};

void writeField(ByteSink& out, std::string_view field, const FieldStops& stops) {
  if (!stops.needsQuotes(field)) {
    out.write(field);
    return;
  }
  out.put('"');
  for (char c : field) {
    if (c == '"') out.put('"');
    out.put(c);
  }
  out.put('"');
}

}  // namespace

void writeDelimitedText(const PrimerList& primers, char separator, ByteSink& out) {
  const FieldStops stops(separator);
  for (std::size_t column = 0; column < kColumnTitles.size(); ++column) {
    if (column > 0) out.put(separator);
    out.write(kColumnTitles[column]);
  }
  // Each primer's line is its own: a large list is written on two threads.
  writeInChunks(primers.size(), out, [&](std::size_t begin, std::size_t end, ByteSink& lines) {
    for (std::size_t i = begin; i < end; ++i) {
      const PrimerView primer = primers[i];
      lines.put('\n');
      lines.put(primer.selected ? '1' : '0');
      // Field by field, not through a list of them: the views then stay in
      // registers instead of being stored and loaded back whole.
      lines.put(separator);
      writeField(lines, primer.name, stops);
      lines.put(separator);
      writeField(lines, primer.sequence, stops);
      lines.put(separator);
      writeField(lines, primer.comment, stops);
    }
  });
}

std::string generateDelimitedText(const PrimerList& primers, char separator) {
  MemorySink out;
  writeDelimitedText(primers, separator, out);
  return std::string(asText(std::move(out).bytes()));
}

}  // namespace tamsel
