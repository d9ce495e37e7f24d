#pragma once

// The checks of a whole primer list before it goes into an order or an
// analysis: unusable names and sequences, duplicates, and forward/reverse
// pairs that are broken or do not match in Tm.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/MeltingTemperature.h"
#include "model/PrimerList.h"

namespace tamsel {

// The primer file's name field holds 127 bytes; a longer name is cut.
inline constexpr std::size_t kMaxStoredNameBytes = 127;
// Longer sequences are shown in red (more characters than the table shows).
inline constexpr std::size_t kMaxSequenceCharacters = 128;
inline constexpr double kMaxPairTmDifference = 5.0;

enum class FindingKind {
  emptyName,
  nameTooLong,
  duplicateName,
  emptySequence,
  sequenceTooLong,
  invalidCharacters,
  duplicateSequence,
  reverseComplementSequence,
  missingReversePartner,
  missingForwardPartner,
  pairTmDifference,
};

struct ListFinding {
  std::size_t row;  // position in the list, from 0
  FindingKind kind;
  std::optional<std::size_t> otherRow;  // the earlier duplicate, the partner
  std::string message;                  // "duplicate sequence of row 12 (GAPDH-F)", rows from 1
};

// The findings ordered by row. A duplicate is reported on the later row, with
// the first row of its kind as `otherRow`; a sequence equal to the reverse
// complement of an earlier one is reported as its own kind. Sequences compare
// as cleanSequence leaves them, without regard to case, U as T.
std::vector<ListFinding> checkPrimerList(const PrimerList& primers, const TmConditions& conditions = {});

// The kind as a word for machine-readable output: "duplicateSequence".
std::string_view findingKindName(FindingKind kind);

}  // namespace tamsel
