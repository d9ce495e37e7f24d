#pragma once

// The nucleotide alphabet and the rules about sequences that several parts of
// Tamsel share.

#include <optional>
#include <string>
#include <string_view>

#include "model/PrimerList.h"

namespace tamsel {

// The 32 IUPAC letters "ACGTUacgtuRYSWKMBDHVNryswkmbdhvn".
inline constexpr std::string_view allowedSequenceCharacters = "ACGTUacgtuRYSWKMBDHVNryswkmbdhvn";

// True when at least one Unicode scalar of `text` is outside the alphabet.
bool containsInvalidCharacters(std::string_view text);

// Removes modification codes between slashes (/5Phos/, /56-FAM/), then keeps
// the alphabet's scalars in their order and case.
std::string cleanSequence(std::string_view text);
// The same into `out` (emptied first), for loops that reuse one buffer.
void cleanSequenceInto(std::string_view text, std::string& out);
// The cleaned text: `text` itself when cleaning would change nothing (most
// cells), else a view of `scratch`, which holds it.
std::string_view cleanedSequence(std::string_view text, std::string& scratch);

// Nothing when some primer has a plausible sequence (at least 5 characters,
// all in the alphabet); otherwise the noValidSequence message.
std::optional<std::string> validatePrimers(const PrimerList& primers);

// The one test of whether a cell looks like a primer sequence, used wherever a
// table's columns are told apart by their contents: after removing white
// space, line breaks, modification codes and a leading "5'-" and trailing
// "-3'" (any prime mark, the hyphen optional), at least 5 characters, all in
// the alphabet.
bool isPlausibleSequence(std::string_view cell);

// A selected cell means selected exactly when, trimmed, it is "1".
bool isSelectedCellText(std::string_view text);

}  // namespace tamsel
