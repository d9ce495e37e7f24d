#include "RowFilter.h"

#include <algorithm>

#include "model/Unicode.h"

namespace tamsel {
namespace {

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `needle` is lower-cased already. ASCII text is compared as it stands, which
// spares a lower-cased copy of every cell on every keystroke.
bool containsIgnoringCase(std::string_view text, std::string_view needle) {
  if (needle.empty()) return false;
  if (unicode::isASCII(text)) {
    return std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                       [](char a, char b) { return asciiLower(a) == b; }) != text.end();
  }
  return unicode::toLower(text).find(needle) != std::string::npos;
}

std::string withoutWhiteSpace(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (std::size_t offset = 0; offset < text.size();) {
    const std::size_t start = offset;
    if (!unicode::isWhiteSpace(unicode::nextScalar(text, offset))) kept.append(text.substr(start, offset - start));
  }
  return kept;
}

bool mayHoldWhiteSpace(std::string_view text) {
  return !unicode::isASCII(text) || text.find_first_of(" \t") != std::string_view::npos;
}

}  // namespace

RowFilter::RowFilter(std::string_view text)
    : query_(unicode::toLower(text)), sequenceQuery_(withoutWhiteSpace(query_)) {}

bool RowFilter::matches(const PrimerView& primer) const {
  if (isEmpty()) return true;
  if (containsIgnoringCase(primer.name, query_) || containsIgnoringCase(primer.comment, query_)) return true;
  return mayHoldWhiteSpace(primer.sequence) ? containsIgnoringCase(withoutWhiteSpace(primer.sequence), sequenceQuery_)
                                        : containsIgnoringCase(primer.sequence, sequenceQuery_);
}

}  // namespace tamsel
