#pragma once

// Deterministic primer lists for the benchmarks: names like "BRCA1_e12_F0000042",
// 18 to 30 IUPAC letters (mostly A, C, G, T), a short comment drawn from a
// small set (so shared-string tables deduplicate as real lists do) and about
// one primer in five selected. The same count always gives the same list.

#include <cstddef>

#include "model/PrimerList.h"

namespace tamsel::bench {

PrimerList syntheticPrimers(std::size_t count);

// The bytes the list's texts occupy, and an estimate of its heap footprint
// (entries plus the strings that do not fit the small-string buffer).
struct PrimerListSize {
  std::size_t textBytes = 0;
  std::size_t heapBytes = 0;
};
PrimerListSize measurePrimerList(const PrimerList& primers);

}  // namespace tamsel::bench
