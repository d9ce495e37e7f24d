#include "model/PairMarkers.h"

namespace tamsel {
namespace {

struct PairMarker {
  std::string_view word;  // upper case
  PairOrientation orientation;
  bool mayFollowDigit;    // Exon1F
};

constexpr PairMarker kPairMarkers[] = {
    {"F", PairOrientation::forward, true},        {"R", PairOrientation::reverse, true},
    {"FW", PairOrientation::forward, false},      {"RV", PairOrientation::reverse, false},
    {"FWD", PairOrientation::forward, false},     {"REV", PairOrientation::reverse, false},
    {"FOR", PairOrientation::forward, false},     {"FORWARD", PairOrientation::forward, false},
    {"REVERSE", PairOrientation::reverse, false}, {"LEFT", PairOrientation::forward, false},
    {"RIGHT", PairOrientation::reverse, false},
};

constexpr std::string_view kSeparators = "_-. ";

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool endsWithWord(std::string_view name, std::string_view word) {
  if (name.size() < word.size()) return false;
  const std::string_view tail = name.substr(name.size() - word.size());
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (upper(tail[i]) != word[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<PairName> pairName(std::string_view name) {
  for (const PairMarker& marker : kPairMarkers) {
    if (name.size() < marker.word.size() + 2 || !endsWithWord(name, marker.word)) continue;
    const std::size_t before = name.size() - marker.word.size() - 1;
    const char c = name[before];
    if (kSeparators.find(c) != std::string_view::npos) return PairName{std::string(name.substr(0, before)), marker.orientation};
    if (marker.mayFollowDigit && c >= '0' && c <= '9') {
      return PairName{std::string(name.substr(0, before + 1)), marker.orientation};
    }
  }
  return std::nullopt;
}

}  // namespace tamsel
