#include "SequenceAnnotation.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
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

// The 1-based character position and text of the first character outside
// the alphabet, if any. The alphabet is ASCII, so any other byte is outside.
std::optional<std::pair<std::size_t, std::string_view>> firstInvalidCharacter(std::string_view sequence) {
  if (!containsInvalidCharacters(sequence)) return std::nullopt;
  if (unicode::isASCII(sequence)) {
    for (std::size_t i = 0; i < sequence.size(); ++i) {
      if (containsInvalidCharacters(sequence.substr(i, 1))) return std::pair{i + 1, sequence.substr(i, 1)};
    }
  }
  std::size_t position = 0;
  for (const unicode::ByteRange& range : unicode::graphemeRanges(sequence)) {
    ++position;
    const std::string_view character = sequence.substr(range.begin, range.end - range.begin);
    if (containsInvalidCharacters(character)) return std::pair{position, character};
  }
  return std::nullopt;
}

// Long sequences are broken into lines so the tooltip stays on screen.
QString brokenIntoLines(const QString& text) {
  constexpr qsizetype kLineLength = 64;
  QString lines;
  for (qsizetype start = 0; start < text.size();) {
    qsizetype length = std::min(kLineLength, text.size() - start);
    if (start + length < text.size() && text.at(start + length - 1).isHighSurrogate()) ++length;
    if (!lines.isEmpty()) lines += QLatin1Char('\n');
    lines += text.mid(start, length);
    start += length;
  }
  return lines;
}

// The underlined ranges within [from, to), moved by `shift`.
void appendUnderlines(QList<UnderlinedRange>& out, const QList<UnderlinedRange>& ranges, int from, int to, int shift) {
  for (const UnderlinedRange& range : ranges) {
    const int start = std::max(range.start, from), end = std::min(range.start + range.length, to);
    if (start < end) out.append({start + shift, end - start});
  }
}

}  // namespace

SequenceAnnotation elidedInTheMiddle(const SequenceAnnotation& annotation, int fits) {
  const QString& text = annotation.text;
  if (text.size() <= fits || fits < 3) return annotation;
  int head = (fits - 1) / 2;
  int tail = fits - 1 - head;
  if (text.at(head - 1).isHighSurrogate()) --head;
  if (text.at(text.size() - tail).isLowSurrogate()) --tail;
  const int tailStart = static_cast<int>(text.size()) - tail;
  SequenceAnnotation visible;
  visible.displayableValid = annotation.displayableValid;
  visible.text = text.left(head) + QChar(0x2026) + text.mid(tailStart);
  appendUnderlines(visible.underlined, annotation.underlined, 0, head, 0);
  appendUnderlines(visible.underlined, annotation.underlined, tailStart, static_cast<int>(text.size()),
                   head + 1 - tailStart);
  return visible;
}

QStringList invalidReasons(std::string_view sequence) {
  QStringList reasons;
  if (sequence.empty()) reasons.append(QStringLiteral("empty"));
  if (const auto invalid = firstInvalidCharacter(sequence)) {
    reasons.append(QStringLiteral("contains characters other than IUPAC letters: position %1 '%2'")
                       .arg(invalid->first)
                       .arg(QString::fromUtf8(invalid->second.data(), static_cast<qsizetype>(invalid->second.size()))));
  }
  if (sequence.size() > kMaxDisplayableCharacters && unicode::graphemeCount(sequence) > kMaxDisplayableCharacters) {
    reasons.append(QStringLiteral("longer than 128 letters"));
  }
  return reasons;
}

QString sequenceToolTip(std::string_view sequence) {
  QString tip = brokenIntoLines(QString::fromUtf8(sequence.data(), static_cast<qsizetype>(sequence.size())));
  if (!tip.isEmpty()) tip += QLatin1Char('\n');
  tip += QStringLiteral("Length: %1").arg(unicode::graphemeCount(sequence));
  for (const QString& reason : invalidReasons(sequence)) tip += QStringLiteral("\nRed: ") + reason;
  return tip;
}

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
