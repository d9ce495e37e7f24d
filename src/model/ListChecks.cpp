#include "model/ListChecks.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "model/Alphabet.h"
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

// The comparison form of a sequence: IUPAC letters only, upper case, U as T.
std::string sequenceKey(std::string_view sequence) {
  std::string key = cleanSequence(sequence);
  for (char& c : key) c = kSetLetters[nucleotideSet(c)];
  return key;
}

std::string reverseComplement(std::string_view key) {
  std::string out(key.rbegin(), key.rend());
  for (char& c : out) c = kSetLetters[complementSet(nucleotideSet(c))];
  return out;
}

// "row 12 (GAPDH-F)", long names shortened.
std::string rowReference(const PrimerList& primers, std::size_t row) {
  std::string text = "row " + std::to_string(row + 1);
  const std::string& name = primers[row].name;
  if (name.empty()) return text;
  const std::vector<unicode::ByteRange> characters = unicode::graphemeRanges(name);
  if (characters.size() <= kShownNameCharacters) return text + " (" + name + ")";
  return text + " (" + name.substr(0, characters[kShownNameCharacters - 1].begin) + "\u2026)";
}

// The distinct characters outside the alphabet, quoted, the first few only.
std::string invalidCharactersText(std::string_view sequence) {
  std::vector<std::string> seen;
  for (std::size_t offset = 0; offset < sequence.size();) {
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
    for (std::size_t row = 0; row < primers_.size(); ++row) {
      checkName(row);
      checkSequence(row);
    }
    checkPairs();
    std::ranges::stable_sort(findings_, [](const ListFinding& a, const ListFinding& b) { return a.row < b.row; });
    return std::move(findings_);
  }

 private:
  void add(std::size_t row, FindingKind kind, std::string message, std::optional<std::size_t> other = {}) {
    findings_.push_back({row, kind, other, std::move(message)});
  }

  void checkName(std::size_t row) {
    const std::string& name = primers_[row].name;
    if (name.empty()) return add(row, FindingKind::emptyName, "empty name");
    if (name.size() > kMaxStoredNameBytes) {
      add(row, FindingKind::nameTooLong,
          "name of " + std::to_string(name.size()) + " bytes is cut to " + std::to_string(kMaxStoredNameBytes) +
              " in .nsub");
    }
    const auto [first, inserted] = names_.try_emplace(name, row);
    if (!inserted) add(row, FindingKind::duplicateName, "duplicate name of " + rowReference(primers_, first->second), first->second);
    if (std::optional<PairName> pair = pairName(name)) {
      Group& group = groups_[unicode::toLower(pair->stem)];
      if (group.forwards.empty() && group.reverses.empty()) group.stem = pair->stem;
      (pair->orientation == PairOrientation::forward ? group.forwards : group.reverses).push_back(row);
    }
  }

  void checkSequence(std::size_t row) {
    const std::string& sequence = primers_[row].sequence;
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
    std::string key = sequenceKey(sequence);
    if (key.empty()) return add(row, FindingKind::emptySequence, "empty sequence");
    const auto found = sequences_.find(key);
    if (found != sequences_.end()) {
      return add(row, FindingKind::duplicateSequence, "duplicate sequence of " + rowReference(primers_, found->second),
                 found->second);
    }
    const std::string complement = reverseComplement(key);
    if (complement != key) {
      if (const auto match = sequences_.find(complement); match != sequences_.end()) {
        add(row, FindingKind::reverseComplementSequence,
            "sequence is the reverse complement of " + rowReference(primers_, match->second), match->second);
      }
    }
    sequences_.emplace(std::move(key), row);
  }

  // The i-th forward and the i-th reverse of a stem are partners; a stem with
  // primers of one orientation only is a broken pair.
  void checkPairs() {
    for (const auto& [key, group] : groups_) {
      if (group.reverses.empty()) {
        for (std::size_t row : group.forwards)
          add(row, FindingKind::missingReversePartner, "forward primer without a reverse partner of stem " + group.stem);
      } else if (group.forwards.empty()) {
        for (std::size_t row : group.reverses)
          add(row, FindingKind::missingForwardPartner, "reverse primer without a forward partner of stem " + group.stem);
      } else {
        for (std::size_t i = 0; i < std::min(group.forwards.size(), group.reverses.size()); ++i) {
          checkPairTm(group.forwards[i], group.reverses[i]);
        }
      }
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

  struct Group {
    std::string stem;  // as first written
    std::vector<std::size_t> forwards, reverses;
  };

  const PrimerList& primers_;
  const TmConditions& conditions_;
  std::vector<ListFinding> findings_;
  std::unordered_map<std::string, std::size_t> names_, sequences_;
  std::unordered_map<std::string, Group> groups_;
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
