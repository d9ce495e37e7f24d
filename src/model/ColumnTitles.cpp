#include "model/ColumnTitles.h"

#include <algorithm>

#include "model/Unicode.h"

namespace tamsel {
namespace {

// The header words, lower-cased: every column title but the comment's.
const std::array<std::string, kMaxColumns - 1>& headerWords() {
  static const std::array<std::string, kMaxColumns - 1> kWords = [] {
    std::array<std::string, kMaxColumns - 1> words;
    for (std::size_t i = 0; i < words.size(); ++i) words[i] = unicode::toLower(kColumnTitles[i]);
    return words;
  }();
  return kWords;
}

}  // namespace

// Lower-casing neither makes nor unmakes white space, so trimming first gives
// the same text with less to map.
std::string normalizedHeaderCell(std::string_view cell) { return unicode::toLower(unicode::trimWhiteSpace(cell)); }

bool isHeaderCellOf(std::string_view cell, std::string_view title) {
  return normalizedHeaderCell(cell) == unicode::toLower(title);
}

bool isPlainHeaderRow(const RowTable::RowView& first, const HeaderTest& test) {
  const auto& words = headerWords();
  if (test.firstRecordText) {
    const std::string lowered = unicode::toLower(*test.firstRecordText);
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& word) { return lowered.find(word) != std::string::npos; });
  }
  return std::any_of(first.cells().begin(), first.cells().end(), [&](const RowTable::Cell& cell) {
    return std::find(words.begin(), words.end(), normalizedHeaderCell(first.text(cell))) != words.end();
  });
}

}  // namespace tamsel
