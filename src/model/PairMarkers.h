#pragma once

// Forward and reverse primers of one pair share a name stem and differ in the
// marker at its end: GAPDH_F and GAPDH_R, ACTB-fwd and ACTB-rev, Exon1F and
// Exon1R. The markers are one table (PairMarkers.cpp); adding a row there
// teaches every check a new spelling.

#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

enum class PairOrientation { forward, reverse };

struct PairName {
  std::string stem;  // the name without its marker and separator
  PairOrientation orientation;
};

// The stem and orientation when `name` ends in a marker, compared without
// regard to case: after one of the separators "_", "-", "." or " ", or, for
// the one-letter markers F and R, directly after a digit. Nothing otherwise,
// and nothing when the stem would be empty.
std::optional<PairName> pairName(std::string_view name);

}  // namespace tamsel
