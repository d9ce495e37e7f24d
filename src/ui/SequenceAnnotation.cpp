#include "SequenceAnnotation.h"

#include <string>
#include <vector>

#include "model/EndMatchMask.h"
#include "model/Alphabet.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

constexpr std::size_t kMaxDisplayableCharacters = 128;

// UTF-16 offsets of every character boundary, from 0 to the text's length.
// Pure ASCII without carriage returns is one unit per character and needs no
// segmentation, which keeps painting of ordinary sequences free of ICU calls.
std::vector<int> characterBoundaries(std::string_view text) {
  std::vector<int> boundaries;
  if (unicode::isOneBytePerCharacter(text)) {
    boundaries.resize(text.size() + 1);
    for (std::size_t i = 0; i <= text.size(); ++i) boundaries[i] = static_cast<int>(i);
    return boundaries;
  }
  const std::vector<unicode::ByteRange> ranges = unicode::graphemeRanges(text);
  boundaries.reserve(ranges.size() + 1);
  boundaries.push_back(0);
  int units = 0;
  std::size_t offset = 0;
  for (const unicode::ByteRange& range : ranges) {
    while (offset < range.end) units += unicode::nextScalar(text, offset) > 0xFFFF ? 2 : 1;
    boundaries.push_back(units);
  }
  return boundaries;
}

}  // namespace

bool isDisplayableValid(std::string_view sequence) {
  // Alphabet letters are ASCII, so once the alphabet test passes the byte
  // count is the character count.
  return !sequence.empty() && !containsInvalidCharacters(sequence) && sequence.size() <= kMaxDisplayableCharacters;
}

SequenceAnnotation annotateSequence(std::string_view sequence, int endMatches) {
  SequenceAnnotation annotation;
  annotation.text = QString::fromUtf8(sequence.data(), static_cast<qsizetype>(sequence.size()));
  annotation.displayableValid = isDisplayableValid(sequence);

  const std::string mask = endMatchMask(sequence, endMatches);
  const std::vector<int> boundaries = characterBoundaries(sequence);
  // The mask holds only "X" and spaces, one byte per character. Ill-formed
  // UTF-8 may decode to a different number of units; then nothing is marked.
  if (mask.size() + 1 != boundaries.size() || boundaries.back() != annotation.text.size()) return annotation;

  for (std::size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] != 'X') continue;
    const int start = boundaries[i];
    const int length = boundaries[i + 1] - start;
    if (!annotation.underlined.isEmpty()) {
      UnderlinedRange& last = annotation.underlined.last();
      if (last.start + last.length == start) {
        last.length += length;
        continue;
      }
    }
    annotation.underlined.append({start, length});
  }
  return annotation;
}

}  // namespace tamsel
