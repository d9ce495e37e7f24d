#include "model/ListChecks.h"

#include <gtest/gtest.h>

#include "formats/nsub/NSubFormat.h"
#include "model/PairMarkers.h"

namespace tamsel {
namespace {

static_assert(kMaxStoredNameBytes == nsub::kMaxWrittenNameBytes, "the check reports what the .nsub writer cuts");

struct Expected {
  std::size_t row;
  FindingKind kind;
  std::optional<std::size_t> otherRow;
};

PrimerList listOf(std::initializer_list<std::pair<std::string, std::string>> rows) {
  PrimerList list;
  for (const auto& [name, sequence] : rows) list.emplace_back(false, name, sequence, "");
  return list;
}

void expectFindings(const PrimerList& primers, std::vector<Expected> expected) {
  const std::vector<ListFinding> findings = checkPrimerList(primers);
  ASSERT_EQ(findings.size(), expected.size()) << (findings.empty() ? "" : findings.front().message);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(findings[i].row, expected[i].row) << findings[i].message;
    EXPECT_EQ(findings[i].kind, expected[i].kind) << findings[i].message;
    EXPECT_EQ(findings[i].otherRow, expected[i].otherRow) << findings[i].message;
  }
}

const std::string kForward = "GAAGGTGAAGGTCGGAGTC", kReverse = "GAAGATGGTGATGGGATTTC";

TEST(ListChecks, CleanListHasNoFinding) {
  expectFindings(listOf({{"GAPDH-F", kForward}, {"GAPDH-R", kReverse}, {"probe", "ACGTACGTAC"}}), {});
  expectFindings({}, {});
}

TEST(ListChecks, OneCasePerFinding) {
  using K = FindingKind;
  const struct {
    PrimerList primers;
    std::vector<Expected> findings;
  } cases[] = {
      {listOf({{"", "ACGTACGT"}}), {{0, K::emptyName, {}}}},
      {listOf({{std::string(128, 'n'), "ACGTACGT"}}), {{0, K::nameTooLong, {}}}},
      {listOf({{std::string(127, 'n'), "ACGTACGT"}}), {}},
      {listOf({{"a", "ACGTACGT"}, {"b", "CCCCGGGA"}, {"a", "TTTTACGA"}}), {{2, K::duplicateName, 0}}},
      {listOf({{"a", ""}}), {{0, K::emptySequence, {}}}},
      {listOf({{"a", std::string(129, 'A')}}), {{0, K::sequenceTooLong, {}}}},
      {listOf({{"a", std::string(128, 'A')}}), {}},
      {listOf({{"a", "ACGT-ACGX"}}), {{0, K::invalidCharacters, {}}}},
      {listOf({{"a", "ACGTTTGG"}, {"b", "ccc"}, {"c", "acguttgg"}}), {{2, K::duplicateSequence, 0}}},
      {listOf({{"a", "AACCGGTA"}, {"b", "TACCGGTT"}}), {{1, K::reverseComplementSequence, 0}}},
      {listOf({{"a", "ACGTNRAA"}, {"b", "TTYNACGT"}}), {{1, K::reverseComplementSequence, 0}}},
      {listOf({{"a", "ACGTACGT"}}), {}},  // its own reverse complement
      {listOf({{"GAPDH_F", kForward}}), {{0, K::missingReversePartner, {}}}},
      {listOf({{"x", "AAAA"}, {"GAPDH_rev", kReverse}}), {{1, K::missingForwardPartner, {}}}},
      {listOf({{"Exon1F", kForward}, {"exon1r", kReverse}}), {}},
      {listOf({{"T_F", kForward}, {"T_R", "GCGCGGCCGCGCGGCCGCGC"}}), {{1, K::pairTmDifference, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.primers.empty() ? "" : std::string(c.primers.front().name) + "|" + std::string(c.primers.front().sequence));
    expectFindings(c.primers, c.findings);
  }
}

TEST(ListChecks, MessagesNameTheOtherRow) {
  const std::vector<ListFinding> findings =
      checkPrimerList(listOf({{"x", "ACGTACGTAC"}, {"GAPDH-F", kForward}, {"GAPDH-R", kForward}}));
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].message, "duplicate sequence of row 2 (GAPDH-F)");
  EXPECT_EQ(findingKindName(findings[0].kind), "duplicateSequence");
  EXPECT_EQ(checkPrimerList(listOf({{"x", "AC-GT-X1234567"}}))[0].message,
            "sequence holds characters outside the IUPAC letters: \"-\", \"X\", \"1\", \"2\", \"3\", \u2026");
}

TEST(PairMarkers, NameSuffixes) {
  using O = PairOrientation;
  const struct {
    const char* name;
    std::optional<std::pair<std::string, O>> pair;
  } cases[] = {
      {"GAPDH_F", {{"GAPDH", O::forward}}},    {"GAPDH-R", {{"GAPDH", O::reverse}}},
      {"ACTB_fwd", {{"ACTB", O::forward}}},    {"ACTB_Rev", {{"ACTB", O::reverse}}},
      {"ACTB_FW", {{"ACTB", O::forward}}},     {"ACTB_rv", {{"ACTB", O::reverse}}},
      {"p53_LEFT", {{"p53", O::forward}}},     {"p53 right", {{"p53", O::reverse}}},
      {"Exon12F", {{"Exon12", O::forward}}},   {"Exon12r", {{"Exon12", O::reverse}}},
      {"x.forward", {{"x", O::forward}}},      {"x_reverse", {{"x", O::reverse}}},
      {"MYCF", std::nullopt},  {"_F", std::nullopt}, {"F", std::nullopt}, {"GAPDH", std::nullopt},
      {"GAPDH_F1", std::nullopt}, {"Exon1FW", std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<PairName> pair = pairName(c.name);
    ASSERT_EQ(pair.has_value(), c.pair.has_value()) << c.name;
    if (pair) {
      EXPECT_EQ(pair->stem, c.pair->first) << c.name;
      EXPECT_EQ(pair->orientation, c.pair->second) << c.name;
    }
  }
}

}  // namespace
}  // namespace tamsel
