#include "model/ListChecks.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "model/Alphabet.h"
#include "model/KeyMatches.h"
#include "model/NucleotideSet.h"
#include "model/PairMarkers.h"
#include "model/PrimerProperties.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

// The letter of each nucleotide set (index 1 to 15).
constexpr std::string_view kSetLetters = "-ACMGRSVTWYHKDBN";
constexpr std::size_t kShownNameCharacters = 40;
constexpr std::size_t kShownInvalidCharacters = 5;

// Texts kept end to end in one buffer, read back as views once complete.
class TextList {
 public:
  explicit TextList(std::size_t count) { ends_.reserve(count); }
  std::string& buffer() { return buffer_; }
  void endText() { ends_.push_back(buffer_.size()); }
  std::vector<std::string_view> views() const {
    std::vector<std::string_view> views;
    views.reserve(ends_.size());
    std::size_t begin = 0;
    for (std::size_t end : ends_) {
      views.emplace_back(buffer_.data() + begin, end - begin);
      begin = end;
    }
    return views;
  }

 private:
  std::string buffer_;
  std::vector<std::size_t> ends_;
};

// The comparison form of each sequence (IUPAC letters only, upper case, U as
// T), and of its reverse complement, left empty where it equals the sequence
// (no sequence is its own duplicate).
struct SequenceKeys {
  TextList forward, complement;

  explicit SequenceKeys(const PrimerList& primers) : forward(primers.size()), complement(primers.size()) {
    std::string cleaned;
    for (const PrimerView& primer : primers) {
      std::string_view letters = primer.sequence;
      if (containsInvalidCharacters(letters)) letters = cleaned = cleanSequence(letters);
      std::string& key = forward.buffer();
      std::string& reverse = complement.buffer();
      const std::size_t keyBegin = key.size(), reverseBegin = reverse.size();
      for (char c : letters) key.push_back(kSetLetters[nucleotideSet(c)]);
      for (std::size_t i = key.size(); i > keyBegin; --i) {
        reverse.push_back(kSetLetters[complementSet(nucleotideSet(key[i - 1]))]);
      }
      if (key.compare(keyBegin, std::string::npos, reverse, reverseBegin) == 0) reverse.resize(reverseBegin);
      forward.endText();
      complement.endText();
    }
  }
};

// "row 12 (GAPDH-F)", long names shortened.
std::string rowReference(const PrimerList& primers, std::size_t row) {
  std::string text = "row " + std::to_string(row + 1);
  const std::string_view name = primers[row].name;
  if (name.empty()) return text;
  const std::vector<unicode::ByteRange> characters = unicode::graphemeRanges(name);
  if (characters.size() <= kShownNameCharacters) return text + " (" + std::string(name) + ")";
  return text + " (" + std::string(name.substr(0, characters[kShownNameCharacters - 1].begin)) + "\u2026)";
}

// The distinct characters outside the alphabet, quoted, the first few only.
std::string invalidCharactersText(std::string_view sequence) {
  std::vector<std::string> seen;
  // One past the shown ones is enough to know that some are left out.
  for (std::size_t offset = 0; offset < sequence.size() && seen.size() <= kShownInvalidCharacters;) {
    const std::size_t start = offset;
    unicode::nextScalar(sequence, offset);
    const std::string character(sequence.substr(start, offset - start));
    if (!containsInvalidCharacters(character) || std::ranges::find(seen, character) != seen.end()) continue;
    seen.push_back(character);
  }
  std::string text;
  for (std::size_t i = 0; i < seen.size() && i < kShownInvalidCharacters; ++i) {
    text += (i ? ", \"" : "\"") + seen[i] + "\"";
  }
  if (seen.size() > kShownInvalidCharacters) text += ", \u2026";
  return text;
}

// The degrees by which two Tm ranges are surely apart (0 when they overlap).
double tmGap(const ValueRange& a, const ValueRange& b) { return std::max({0.0, a.min - b.max, b.min - a.max}); }

class ListChecker {
 public:
  ListChecker(const PrimerList& primers, const TmConditions& conditions)
      : primers_(primers), conditions_(conditions) {}

  std::vector<ListFinding> run() {
    std::vector<std::string_view> names;
    names.reserve(primers_.size());
    for (const PrimerView& primer : primers_) names.push_back(primer.name);
    const std::vector<std::size_t> firstName = firstMatches(names, names);
    const SequenceKeys keys(primers_);
    const std::vector<std::string_view> sequences = keys.forward.views();
    const std::vector<std::size_t> firstSequence = firstMatches(sequences, sequences);
    const std::vector<std::size_t> firstComplement = firstMatches(sequences, keys.complement.views());
    for (std::size_t row = 0; row < primers_.size(); ++row) {
      checkName(row, firstName[row]);
      checkSequence(row, sequences[row].empty(), firstSequence[row], firstComplement[row]);
    }
    checkPairs();
    std::ranges::stable_sort(findings_, [](const ListFinding& a, const ListFinding& b) { return a.row < b.row; });
    return std::move(findings_);
  }

 private:
  void add(std::size_t row, FindingKind kind, std::string message, std::optional<std::size_t> other = {}) {
    findings_.push_back({row, kind, other, std::move(message)});
  }

  void checkName(std::size_t row, std::size_t firstOfName) {
    const std::string_view name = primers_[row].name;
    if (name.empty()) return add(row, FindingKind::emptyName, "empty name");
    if (name.size() > kMaxStoredNameBytes) {
      add(row, FindingKind::nameTooLong,
          "name of " + std::to_string(name.size()) + " bytes is cut to " + std::to_string(kMaxStoredNameBytes) +
              " in .nsub");
    }
    if (firstOfName < row) {
      add(row, FindingKind::duplicateName, "duplicate name of " + rowReference(primers_, firstOfName), firstOfName);
    }
    if (std::optional<PairName> pair = pairName(name)) {
      std::string key = unicode::toLower(pair->stem);
      pairMembers_.push_back({std::move(key), std::move(pair->stem), pair->orientation, row});
    }
  }

  void checkSequence(std::size_t row, bool emptyKey, std::size_t firstOfSequence, std::size_t firstOfComplement) {
    const std::string_view sequence = primers_[row].sequence;
    if (containsInvalidCharacters(sequence)) {
      add(row, FindingKind::invalidCharacters,
          "sequence holds characters outside the IUPAC letters: " + invalidCharactersText(sequence));
    }
    const std::size_t characters = unicode::graphemeCount(sequence);
    if (characters > kMaxSequenceCharacters) {
      add(row, FindingKind::sequenceTooLong,
          "sequence of " + std::to_string(characters) + " characters is longer than " +
              std::to_string(kMaxSequenceCharacters));
    }
    if (emptyKey) return add(row, FindingKind::emptySequence, "empty sequence");
    if (firstOfSequence < row) {
      add(row, FindingKind::duplicateSequence, "duplicate sequence of " + rowReference(primers_, firstOfSequence),
          firstOfSequence);
    } else if (firstOfComplement < row) {
      add(row, FindingKind::reverseComplementSequence,
          "sequence is the reverse complement of " + rowReference(primers_, firstOfComplement), firstOfComplement);
    }
  }

  // The i-th forward and the i-th reverse of a stem are partners; a stem with
  // primers of one orientation only is a broken pair.
  void checkPairs() {
    std::ranges::sort(pairMembers_, [](const PairMember& a, const PairMember& b) {
      return std::tie(a.stemKey, a.row) < std::tie(b.stemKey, b.row);
    });
    std::vector<std::size_t> forwards, reverses;
    for (auto group = pairMembers_.begin(); group != pairMembers_.end();) {
      const auto end = std::find_if(group, pairMembers_.end(),
                                    [&](const PairMember& member) { return member.stemKey != group->stemKey; });
      forwards.clear();
      reverses.clear();
      for (auto member = group; member != end; ++member) {
        (member->orientation == PairOrientation::forward ? forwards : reverses).push_back(member->row);
      }
      const std::string& stem = group->stem;  // as the first of the group writes it
      if (reverses.empty()) {
        for (std::size_t row : forwards)
          add(row, FindingKind::missingReversePartner, "forward primer without a reverse partner of stem " + stem);
      } else if (forwards.empty()) {
        for (std::size_t row : reverses)
          add(row, FindingKind::missingForwardPartner, "reverse primer without a forward partner of stem " + stem);
      } else {
        for (std::size_t i = 0; i < std::min(forwards.size(), reverses.size()); ++i) checkPairTm(forwards[i], reverses[i]);
      }
      group = end;
    }
  }

  void checkPairTm(std::size_t a, std::size_t b) {
    const TmResult tmA = primerProperties(primers_[a].sequence, conditions_).tm;
    const TmResult tmB = primerProperties(primers_[b].sequence, conditions_).tm;
    if (tmA.status != TmStatus::computed || tmB.status != TmStatus::computed) return;
    const double gap = tmGap(tmA.celsius, tmB.celsius);
    if (gap <= kMaxPairTmDifference) return;
    char degrees[32];
    std::snprintf(degrees, sizeof degrees, "%.1f", gap);
    const std::size_t later = std::max(a, b), earlier = std::min(a, b);
    add(later, FindingKind::pairTmDifference,
        "Tm differs by " + std::string(degrees) + " \u00B0C from its partner " + rowReference(primers_, earlier),
        earlier);
  }

  struct PairMember {
    std::string stemKey;  // lower case
    std::string stem;
    PairOrientation orientation;
    std::size_t row;
  };

  const PrimerList& primers_;
  const TmConditions& conditions_;
  std::vector<ListFinding> findings_;
  std::vector<PairMember> pairMembers_;
};

}  // namespace

std::vector<ListFinding> checkPrimerList(const PrimerList& primers, const TmConditions& conditions) {
  return ListChecker(primers, conditions).run();
}

std::string_view findingKindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::emptyName: return "emptyName";
    case FindingKind::nameTooLong: return "nameTooLong";
    case FindingKind::duplicateName: return "duplicateName";
    case FindingKind::emptySequence: return "emptySequence";
    case FindingKind::sequenceTooLong: return "sequenceTooLong";
    case FindingKind::invalidCharacters: return "invalidCharacters";
    case FindingKind::duplicateSequence: return "duplicateSequence";
    case FindingKind::reverseComplementSequence: return "reverseComplementSequence";
    case FindingKind::missingReversePartner: return "missingReversePartner";
    case FindingKind::missingForwardPartner: return "missingForwardPartner";
    case FindingKind::pairTmDifference: return "pairTmDifference";
  }
  return {};
}

}  // namespace tamsel
