#pragma once

// What the sequence column draws for one sequence: the text, whether it is
// shown in the normal colour or in red, and which characters are underlined
// as bases that must match.

#include <QList>
#include <QString>
#include <QStringList>

#include <string_view>

namespace tamsel {

// Not empty, at most 128 characters, and only letters of the alphabet.
bool isDisplayableValid(std::string_view sequence);

// Why a sequence is drawn red ("empty", "longer than 128 letters", "contains
// characters other than IUPAC letters: position 7 '-'"); none when it is valid.
QStringList invalidReasons(std::string_view sequence);

// The sequence cell's tooltip: the whole sequence, its length in characters,
// and why it is red.
QString sequenceToolTip(std::string_view sequence);

// A run of underlined text, in UTF-16 code units of SequenceAnnotation::text.
struct UnderlinedRange {
  int start = 0;
  int length = 0;
  friend bool operator==(const UnderlinedRange&, const UnderlinedRange&) = default;
};

struct SequenceAnnotation {
  QString text;
  bool displayableValid = false;
  // Adjacent marked characters share one range.
  QList<UnderlinedRange> underlined;
};

// Underlines every character whose end-match mask is "X", but only when the
// mask has exactly as many characters as the sequence.
SequenceAnnotation annotateSequence(std::string_view sequence, int endMatches);

// What fits in a cell `fits` characters wide: a longer sequence keeps both
// ends with an ellipsis in the middle, so its underlined 3' end stays in
// sight; the underlining moves with the text.
SequenceAnnotation elidedInTheMiddle(const SequenceAnnotation& annotation, int fits);

}  // namespace tamsel
