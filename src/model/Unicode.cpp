#include "model/Unicode.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace tamsel::unicode {
namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the well-formed sequence at `offset`, or 0 when it is ill-formed.
// The ranges are those of the Unicode standard's table of well-formed UTF-8.
std::size_t wellFormedLength(const unsigned char* p, std::size_t available) {
  unsigned char lead = p[0];
  if (lead < 0x80) return 1;
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (available < length) return 0;
  if (p[1] < low || p[1] > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!isContinuation(p[i])) return 0;
  }
  return length;
}

char32_t decodeWellFormed(const unsigned char* p, std::size_t length) {
  switch (length) {
    case 1: return p[0];
    case 2: return (char32_t(p[0] & 0x1F) << 6) | (p[1] & 0x3F);
    case 3: return (char32_t(p[0] & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    default:
      return (char32_t(p[0] & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) | (char32_t(p[2] & 0x3F) << 6) |
             (p[3] & 0x3F);
  }
}

const unsigned char* bytesOf(std::string_view text) { return reinterpret_cast<const unsigned char*>(text.data()); }

// One character break iterator per thread: creating one loads rule data.
icu::BreakIterator* characterBreaks() {
  thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> created(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status)) created.reset();
    return created;
  }();
  return iterator.get();
}

// Calls `visit(begin, end)` for each grapheme cluster of `text`.
template <class Visit>
void forEachGrapheme(std::string_view text, Visit visit) {
  if (isASCII(text)) {
    // In ASCII only CR LF joins two bytes into one character.
    for (std::size_t i = 0; i < text.size();) {
      std::size_t end = (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? i + 2 : i + 1;
      visit(i, end);
      i = end;
    }
    return;
  }
  icu::BreakIterator* breaks = characterBreaks();
  UErrorCode status = U_ZERO_ERROR;
  UText utext = UTEXT_INITIALIZER;
  utext_openUTF8(&utext, text.data(), static_cast<int64_t>(text.size()), &status);
  if (breaks && U_SUCCESS(status)) breaks->setText(&utext, status);
  if (!breaks || U_FAILURE(status)) {
    // Without break rules, fall back to one character per scalar.
    for (std::size_t i = 0; i < text.size();) {
      std::size_t begin = i;
      nextScalar(text, i);
      visit(begin, i);
    }
  } else {
    // With UTF-8 text the iterator's indexes are byte offsets. The iterator
    // keeps a shallow copy of the text, which it does not touch again until
    // the next call gives it new text.
    int32_t begin = breaks->first();
    for (int32_t end = breaks->next(); end != icu::BreakIterator::DONE; end = breaks->next()) {
      visit(static_cast<std::size_t>(begin), static_cast<std::size_t>(end));
      begin = end;
    }
  }
  utext_close(&utext);
}

std::string mapCase(std::string_view text, bool upper) {
  icu::UnicodeString mapped =
      icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  if (upper) {
    mapped.toUpper(icu::Locale::getRoot());
  } else {
    mapped.toLower(icu::Locale::getRoot());
  }
  std::string out;
  mapped.toUTF8String(out);
  return out;
}

}  // namespace

std::size_t firstInvalidUTF8Byte(std::string_view text) {
  const unsigned char* p = bytesOf(text);
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    // Thirty-two ASCII bytes at a time, then eight.
    if (i + 32 <= size) {
      std::uint64_t words[4];
      std::memcpy(words, p + i, 32);
      if (((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ULL) == 0) {
        i += 32;
        continue;
      }
    }
    if (i + 8 <= size) {
      std::uint64_t word;
      std::memcpy(&word, p + i, 8);
      if ((word & 0x8080808080808080ULL) == 0) {
        i += 8;
        continue;
      }
    }
    std::size_t length = wellFormedLength(p + i, size - i);
    if (length == 0) return i;
    i += length;
  }
  return std::string_view::npos;
}

char32_t nextScalar(std::string_view text, std::size_t& offset) {
  const unsigned char* p = bytesOf(text) + offset;
  std::size_t length = wellFormedLength(p, text.size() - offset);
  if (length == 0) {
    ++offset;
    return kReplacementCharacter;
  }
  offset += length;
  return decodeWellFormed(p, length);
}

std::size_t previousScalarStart(std::string_view text, std::size_t end, char32_t& scalar) {
  const unsigned char* p = bytesOf(text);
  std::size_t start = end - 1;
  while (start > 0 && end - start < 4 && isContinuation(p[start])) --start;
  std::size_t length = wellFormedLength(p + start, end - start);
  if (length != end - start) {
    scalar = kReplacementCharacter;
    return end - 1;
  }
  scalar = decodeWellFormed(p + start, length);
  return start;
}

char* encodeUTF8(char* out, char32_t c) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

void appendUTF8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
    return;
  }
  char buffer[4];
  out.append(buffer, encodeUTF8(buffer, c));
}

bool isWhiteSpace(char32_t c) {
  if (c < 0x80) return c == ' ' || c == '\t';
  return u_charType(static_cast<UChar32>(c)) == U_SPACE_SEPARATOR;
}

std::string_view trimWhiteSpace(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[begin]);
    if (c == ' ' || c == '\t') {
      ++begin;
      continue;
    }
    if (c < 0x80) break;
    std::size_t next = begin;
    if (!isWhiteSpace(nextScalar(text, next))) break;
    begin = next;
  }
  std::size_t end = text.size();
  while (end > begin) {
    unsigned char c = static_cast<unsigned char>(text[end - 1]);
    if (c == ' ' || c == '\t') {
      --end;
      continue;
    }
    if (c < 0x80) break;
    char32_t scalar;
    std::size_t start = previousScalarStart(text, end, scalar);
    if (start < begin || !isWhiteSpace(scalar)) break;
    end = start;
  }
  return text.substr(begin, end - begin);
}

std::string toLower(std::string_view text) {
  if (!isASCII(text)) return mapCase(text, false);
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string toUpper(std::string_view text) {
  if (!isASCII(text)) return mapCase(text, true);
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::size_t graphemeCount(std::string_view text) {
  std::size_t count = 0;
  forEachGrapheme(text, [&](std::size_t, std::size_t) { ++count; });
  return count;
}

std::vector<ByteRange> graphemeRanges(std::string_view text) {
  std::vector<ByteRange> ranges;
  forEachGrapheme(text, [&](std::size_t begin, std::size_t end) { ranges.push_back({begin, end}); });
  return ranges;
}

LetterCase letterCase(std::string_view grapheme) {
  if (grapheme.size() == 1) {
    char c = grapheme[0];
    return {c >= 'A' && c <= 'Z', c >= 'a' && c <= 'z'};
  }
  if (grapheme.empty()) return {};
  std::size_t offset = 0;
  const UChar32 first = static_cast<UChar32>(nextScalar(grapheme, offset));
  const bool single = offset == grapheme.size();
  const std::string upperMapped = mapCase(grapheme, true);
  const std::string lowerMapped = mapCase(grapheme, false);
  const bool singleCased = single && u_hasBinaryProperty(first, UCHAR_CASED);
  LetterCase result;
  result.upper = (single && u_hasBinaryProperty(first, UCHAR_UPPERCASE)) ||
                 (upperMapped == grapheme && (singleCased || lowerMapped != grapheme));
  result.lower = (single && u_hasBinaryProperty(first, UCHAR_LOWERCASE)) ||
                 (lowerMapped == grapheme && (singleCased || upperMapped != grapheme));
  return result;
}

bool extendsPreviousGrapheme(char32_t scalar) {
  if (scalar < 0x80) return false;
  auto kind = u_getIntPropertyValue(static_cast<UChar32>(scalar), UCHAR_GRAPHEME_CLUSTER_BREAK);
  return kind == U_GCB_EXTEND || kind == U_GCB_ZWJ || kind == U_GCB_SPACING_MARK;
}

bool prependsToNextGrapheme(char32_t scalar) {
  if (scalar < 0x80) return false;
  return u_getIntPropertyValue(static_cast<UChar32>(scalar), UCHAR_GRAPHEME_CLUSTER_BREAK) == U_GCB_PREPEND;
}

}  // namespace tamsel::unicode
