#include "PrimerSort.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <string>
#include <string_view>

#include "PrimerTableModel.h"
#include "model/PrimerProperties.h"
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

// Length, GC % or Tm of each row, computed once; a range sorts by its low
// end, and a Tm that was not computed above every other.
std::vector<double> propertyKeys(const PrimerList& primers, int column) {
  std::vector<double> keys;
  keys.reserve(primers.size());
  for (const PrimerView& primer : primers) {
    const PrimerProperties properties = primerProperties(primer.sequence);
    if (column == PrimerTableModel::LengthColumn) {
      keys.push_back(static_cast<double>(properties.length));
    } else if (column == PrimerTableModel::GCColumn) {
      keys.push_back(properties.gcPercent ? properties.gcPercent->min : -1.0);
    } else {
      keys.push_back(properties.tm.status == TmStatus::computed ? properties.tm.celsius.min
                                                                : std::numeric_limits<double>::infinity());
    }
  }
  return keys;
}

}  // namespace

std::vector<int> sortedOrder(const PrimerList& primers, const std::vector<std::uint64_t>& origins, int column,
                             Qt::SortOrder order) {
  const auto at = [&primers](int row) { return primers[static_cast<std::size_t>(row)]; };
  const auto byText = [&](std::string_view PrimerView::*field) {
    return stableOrder(primers.size(), order, [&](int a, int b) { return lessIgnoringCase(at(a).*field, at(b).*field); });
  };
  switch (column) {
    case PrimerTableModel::SelectedColumn:
      return stableOrder(primers.size(), order, [&](int a, int b) { return at(a).selected < at(b).selected; });
    case PrimerTableModel::NameColumn: return byText(&PrimerView::name);
    case PrimerTableModel::SequenceColumn: return byText(&PrimerView::sequence);
    case PrimerTableModel::CommentColumn: return byText(&PrimerView::comment);
    case PrimerTableModel::LengthColumn:
    case PrimerTableModel::GCColumn:
    case PrimerTableModel::TmColumn: {
      const std::vector<double> keys = propertyKeys(primers, column);
      return stableOrder(primers.size(), order, [&keys](int a, int b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
      });
    }
    default:
      return stableOrder(primers.size(), order, [&origins](int a, int b) {
        return origins[static_cast<std::size_t>(a)] < origins[static_cast<std::size_t>(b)];
      });
  }
}

}  // namespace tamsel
