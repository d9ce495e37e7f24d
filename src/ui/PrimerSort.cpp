#include "PrimerSort.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>

#include "PrimerTableModel.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII texts compare without a lower-cased copy; others through full lower-casing.
bool lessIgnoringCase(std::string_view a, std::string_view b) {
  if (unicode::isASCII(a) && unicode::isASCII(b)) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return asciiLower(x) < asciiLower(y); });
  }
  return unicode::toLower(a) < unicode::toLower(b);
}

template <class Less>
std::vector<int> stableOrder(std::size_t size, Qt::SortOrder order, Less less) {
  std::vector<int> rows(size);
  std::iota(rows.begin(), rows.end(), 0);
  if (order == Qt::AscendingOrder) {
    std::stable_sort(rows.begin(), rows.end(), less);
  } else {
    std::stable_sort(rows.begin(), rows.end(), [&less](int a, int b) { return less(b, a); });
  }
  return rows;
}

}  // namespace

std::vector<int> sortedOrder(const PrimerList& primers, const std::vector<std::uint64_t>& origins, int column,
                             Qt::SortOrder order) {
  const auto at = [&primers](int row) -> const PrimerEntry& { return primers[static_cast<std::size_t>(row)]; };
  const auto byText = [&](std::string PrimerEntry::*field) {
    return stableOrder(primers.size(), order, [&](int a, int b) { return lessIgnoringCase(at(a).*field, at(b).*field); });
  };
  switch (column) {
    case PrimerTableModel::SelectedColumn:
      return stableOrder(primers.size(), order, [&](int a, int b) { return at(a).selected < at(b).selected; });
    case PrimerTableModel::NameColumn: return byText(&PrimerEntry::name);
    case PrimerTableModel::SequenceColumn: return byText(&PrimerEntry::sequence);
    case PrimerTableModel::CommentColumn: return byText(&PrimerEntry::comment);
    default:
      return stableOrder(primers.size(), order, [&origins](int a, int b) {
        return origins[static_cast<std::size_t>(a)] < origins[static_cast<std::size_t>(b)];
      });
  }
}

}  // namespace tamsel
