#include "model/Alphabet.h"

#include <array>
#include <optional>

#include "model/ImportError.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

// Every scalar of the alphabet is ASCII, so a byte outside the table (ASCII or
// part of a multi-byte scalar) always belongs to a scalar outside the alphabet.
constexpr std::array<bool, 256> kAlphabetBytes = [] {
  std::array<bool, 256> table{};
  for (char c : allowedSequenceCharacters) table[static_cast<unsigned char>(c)] = true;
  return table;
}();

bool inAlphabet(char c) { return kAlphabetBytes[static_cast<unsigned char>(c)]; }

constexpr std::size_t kMaxModificationCodeLength = 32;

// The byte length of a modification code such as "/5Phos/" starting at the
// slash at `slash` (both slashes included), or 0 when none starts there. A code
// holds 1 to 32 scalars that are neither a slash, white space nor a line break.
std::size_t modificationCodeLength(std::string_view text, std::size_t slash) {
  std::size_t count = 0;
  for (std::size_t i = slash + 1; i < text.size();) {
    if (text[i] == '/') return count == 0 ? 0 : i + 1 - slash;
    if (count == kMaxModificationCodeLength) return 0;
    char32_t scalar = unicode::nextScalar(text, i);
    if (unicode::isWhiteSpace(scalar) || unicode::isLineBreak(scalar)) return 0;
    ++count;
  }
  return 0;
}

// The prime marks of "5'" and "3'": apostrophe, right single quotation mark,
// prime, acute accent and grave accent.
bool isPrimeMark(std::string_view text, std::size_t& at) {
  if (at >= text.size()) return false;
  if (text[at] == '\'' || text[at] == '`') {
    ++at;
    return true;
  }
  std::size_t next = at;
  char32_t scalar = unicode::nextScalar(text, next);
  if (scalar == 0x2019 || scalar == 0x2032 || scalar == 0xB4) {
    at = next;
    return true;
  }
  return false;
}

// `text` without its "5'" or "5'-" start and its "3'" or "-3'" end.
std::string_view withoutEndMarks(std::string_view text) {
  if (text.size() > 1 && text[0] == '5') {
    std::size_t at = 1;
    if (isPrimeMark(text, at)) {
      if (at < text.size() && text[at] == '-') ++at;
      text.remove_prefix(at);
    }
  }
  // The mark is short: look for "3" within its last five bytes.
  for (std::size_t back = 2; back <= 4 && back <= text.size(); ++back) {
    std::size_t three = text.size() - back;
    std::size_t at = three + 1;
    if (text[three] == '3' && isPrimeMark(text, at) && at == text.size()) {
      if (three > 0 && text[three - 1] == '-') --three;
      return text.substr(0, three);
    }
  }
  return text;
}

// Most cells are decided at a glance: nothing but letters of the alphabet is
// a sequence when long enough; a cell of ASCII without codes, white space or
// controls that holds a byte which neither the alphabet nor an end mark
// explains is none. Every other cell is undecided here.
std::optional<bool> quickVerdict(std::string_view cell) {
  bool onlyLetters = true;
  bool stray = false;
  for (char c : cell) {
    if (inAlphabet(c)) continue;
    onlyLetters = false;
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '/') return std::nullopt;
    if (c != '5' && c != '3' && c != '\'' && c != '`' && c != '-') stray = true;
  }
  if (onlyLetters) return cell.size() >= 5;
  if (stray) return false;
  return std::nullopt;
}

}  // namespace

bool isPlausibleSequence(std::string_view cell) {
  if (const std::optional<bool> verdict = quickVerdict(cell)) return *verdict;
  std::string compact;
  compact.reserve(cell.size());
  for (std::size_t i = 0; i < cell.size();) {
    if (cell[i] == '/') {
      if (std::size_t length = modificationCodeLength(cell, i)) {
        i += length;
        continue;
      }
    }
    std::size_t next = i;
    char32_t scalar = unicode::nextScalar(cell, next);
    if (!unicode::isWhiteSpace(scalar) && !unicode::isLineBreak(scalar)) compact.append(cell.substr(i, next - i));
    i = next;
  }
  std::string_view letters = withoutEndMarks(compact);
  return letters.size() >= 5 && !containsInvalidCharacters(letters);
}

bool containsInvalidCharacters(std::string_view text) {
  for (char c : text) {
    if (!inAlphabet(c)) return true;
  }
  return false;
}

std::string cleanSequence(std::string_view text) {
  std::string cleaned;
  cleanSequenceInto(text, cleaned);
  return cleaned;
}

void cleanSequenceInto(std::string_view text, std::string& cleaned) {
  cleaned.clear();
  cleaned.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    // Runs of letters go in whole: most cells are nothing but letters.
    std::size_t run = i;
    while (run < text.size() && inAlphabet(text[run])) ++run;
    cleaned.append(text.substr(i, run - i));
    if (run == text.size()) break;
    i = run;
    // Codes go first, so the letters inside "/5Phos/" do not slip into the
    // sequence; codes never overlap (the closing slash is used up).
    if (text[i] == '/') {
      if (std::size_t length = modificationCodeLength(text, i)) {
        i += length;
        continue;
      }
    }
    ++i;  // a character outside the alphabet
  }
}

std::string_view cleanedSequence(std::string_view text, std::string& scratch) {
  std::size_t letters = 0;
  while (letters < text.size() && inAlphabet(text[letters])) ++letters;
  if (letters == text.size()) return text;
  cleanSequenceInto(text, scratch);
  // Cleaning only removes characters: the same length is the same text.
  return scratch.size() == text.size() ? text : std::string_view(scratch);
}

std::optional<std::string> validatePrimers(const PrimerList& primers) {
  for (const PrimerView& primer : primers) {
    if (!containsInvalidCharacters(primer.sequence) && unicode::graphemeCount(primer.sequence) >= 5) {
      return std::nullopt;
    }
  }
  return ImportError::noValidSequence().message;
}

bool isSelectedCellText(std::string_view text) { return unicode::trimWhiteSpace(text) == "1"; }

}  // namespace tamsel
