#include "model/PrimerProperties.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tamsel {
namespace {

constexpr TmConditions kSodiumOnly{.monovalentMilliMolar = 50, .magnesiumMilliMolar = 0, .dntpMilliMolar = 0,
                                   .oligoNanoMolar = 50};

TEST(PrimerProperties, PublishedMeltingTemperatures) {
  for (const auto& [sequence, celsius] : {std::pair{"GCCATGGACGTGGTCTACGC", 57.80}, {"CGTGACGTGACGGACT", 50.55}}) {
    const TmResult tm = primerProperties(sequence, kSodiumOnly).tm;
    ASSERT_EQ(tm.status, TmStatus::computed);
    EXPECT_NEAR(tm.celsius.min, celsius, 0.005) << sequence;
    EXPECT_EQ(tm.celsius.min, tm.celsius.max);
  }
}

TEST(PrimerProperties, MagnesiumCountsOnlyBeyondTheDntp) {
  EXPECT_NEAR(monovalentEquivalentMilliMolar({}), 50 + 120 * std::sqrt(0.9), 1e-9);
  for (double dntp : {1.5, 2.0}) {
    EXPECT_EQ(monovalentEquivalentMilliMolar({.magnesiumMilliMolar = 1.5, .dntpMilliMolar = dntp}), 50.0);
  }
  // More cations stabilise the duplex.
  EXPECT_GT(primerProperties("GCCATGGACGTGGTCTACGC").tm.celsius.min,
            primerProperties("GCCATGGACGTGGTCTACGC", kSodiumOnly).tm.celsius.min + 5);
}

TEST(PrimerProperties, LettersAreReadCaseAndUInsensitively) {
  const double reference = primerProperties("GCCATGGACGTGGTCTACGC").tm.celsius.min;
  for (const char* same : {"gccatggacgtggtctacgc", "GCCAUGGACGUGGUCUACGC", "5'-GCC ATG GAC GTG GTC TAC GC-3'"}) {
    const PrimerProperties properties = primerProperties(same);
    EXPECT_EQ(properties.length, 20u) << same;
    EXPECT_EQ(properties.tm.celsius.min, reference) << same;
  }
}

TEST(PrimerProperties, GcContentOverDegenerateLetters) {
  const struct {
    const char* sequence;
    double min, max;
  } cases[] = {{"ACGT", 50, 50}, {"GGCC", 100, 100}, {"ATAT", 0, 0}, {"ACGTN", 40, 60}, {"SSWW", 50, 50},
               {"RYKM", 0, 100},  {"BDHV", 0, 100},  {"ACGU", 50, 50}, {"acgtn", 40, 60}, {"AC-GT", 50, 50}};
  for (const auto& c : cases) {
    const PrimerProperties properties = primerProperties(c.sequence);
    ASSERT_TRUE(properties.gcPercent) << c.sequence;
    EXPECT_DOUBLE_EQ(properties.gcPercent->min, c.min) << c.sequence;
    EXPECT_DOUBLE_EQ(properties.gcPercent->max, c.max) << c.sequence;
  }
  EXPECT_EQ(primerProperties("ACGTN").length, 5u);
  EXPECT_EQ(gcText(primerProperties("ACGTN")), "40.0-60.0");
  EXPECT_EQ(gcText(primerProperties("ACGA")), "50.0");
  EXPECT_FALSE(primerProperties("--").gcPercent);
  EXPECT_EQ(gcText(primerProperties("")), "");
}

TEST(PrimerProperties, MeltingTemperatureLimits) {
  const struct {
    std::string sequence;
    TmStatus status;
  } cases[] = {{"", TmStatus::outOfRange},
               {"ACGTACG", TmStatus::outOfRange},
               {"ACGTACGA", TmStatus::computed},
               {std::string(60, 'A'), TmStatus::computed},
               {std::string(61, 'A'), TmStatus::outOfRange},
               {"ACGTACGT" + std::string(4, 'N'), TmStatus::computed},   // 256 expansions
               {"ACGTACGT" + std::string(5, 'N'), TmStatus::tooDegenerate},
               {"ACGTACGT" + std::string(4, 'N') + "R", TmStatus::tooDegenerate}};
  for (const auto& c : cases) EXPECT_EQ(primerProperties(c.sequence).tm.status, c.status) << c.sequence;
  EXPECT_EQ(tmText(primerProperties("ACGT").tm), "outside 8-60 letters");
  EXPECT_EQ(tmText(primerProperties(std::string(20, 'N')).tm), "over 256 expansions");
  // A two-way letter gives the two expansions' Tm as the range.
  const TmResult r = primerProperties("GCCATGGACGTGGTCTACGS").tm;
  const double c = primerProperties("GCCATGGACGTGGTCTACGC").tm.celsius.min;
  const double g = primerProperties("GCCATGGACGTGGTCTACGG").tm.celsius.min;
  const double low = std::min(c, g), high = std::max(c, g);
  EXPECT_EQ(r.celsius.min, low);
  EXPECT_EQ(r.celsius.max, high);
  EXPECT_EQ(tmText(primerProperties("GCCATGGACGTGGTCTACGC").tm), "63.5");
}

TEST(PrimerProperties, DescriptionNamesMethodAndConditions) {
  EXPECT_EQ(describeTmConditions({}), "Na+ 50 mM, Mg2+ 1.5 mM, dNTP 0.6 mM, oligo 50 nM");
  EXPECT_NE(describeTm({}).find("SantaLucia 1998"), std::string::npos);
}

}  // namespace
}  // namespace tamsel
