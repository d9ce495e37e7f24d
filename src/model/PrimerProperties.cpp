#include "model/PrimerProperties.h"

#include <array>
#include <cstdio>

#include "model/Alphabet.h"
#include "model/NucleotideSet.h"

namespace tamsel {
namespace {

constexpr std::uint8_t kStrong = kBaseC | kBaseG;

std::string oneDecimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string rangeText(const ValueRange& range) {
  const std::string min = oneDecimal(range.min), max = oneDecimal(range.max);
  return min == max ? min : min + "-" + max;
}

}  // namespace

PrimerProperties primerProperties(std::string_view sequence, const TmConditions& conditions) {
  // Most sequences are clean already; only the others pay for a copy.
  std::string cleaned;
  if (containsInvalidCharacters(sequence)) {
    cleaned = cleanSequence(sequence);
    sequence = cleaned;
  }
  PrimerProperties properties;
  properties.length = sequence.size();
  std::array<std::uint8_t, kMaxTmLetters> bases{};
  std::size_t surelyGC = 0, maybeGC = 0;
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    const std::uint8_t set = nucleotideSet(sequence[i]);
    surelyGC += (set & ~kStrong) == 0;
    maybeGC += (set & kStrong) != 0;
    if (i < bases.size()) bases[i] = set;
  }
  if (!sequence.empty()) {
    const double percentPerLetter = 100.0 / static_cast<double>(sequence.size());
    properties.gcPercent = ValueRange{surelyGC * percentPerLetter, maybeGC * percentPerLetter};
  }
  if (sequence.size() <= bases.size()) {
    properties.tm = meltingTemperature(std::span(bases.data(), sequence.size()), conditions);
  }
  return properties;
}

std::string gcText(const PrimerProperties& properties) {
  return properties.gcPercent ? rangeText(*properties.gcPercent) : std::string();
}

std::string tmText(const TmResult& tm) {
  switch (tm.status) {
    case TmStatus::computed:
      return rangeText(tm.celsius);
    case TmStatus::outOfRange:
      return "outside " + std::to_string(kMinTmLetters) + "-" + std::to_string(kMaxTmLetters) + " letters";
    case TmStatus::tooDegenerate:
      return "over " + std::to_string(kMaxTmExpansions) + " expansions";
  }
  return {};
}

}  // namespace tamsel
