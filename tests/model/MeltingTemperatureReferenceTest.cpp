// Tamsel's Tm against the oligotm program of Debian's primer3 package, whose
// defaults are the conditions of TmConditions{}.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/NucleotideSet.h"
#include "model/PrimerProperties.h"

namespace tamsel {
namespace {

constexpr double kTolerance = 0.05;

std::string findOligotm() {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / "oligotm";
    std::error_code error;
    if (!folder.empty() && std::filesystem::is_regular_file(candidate, error)) return candidate.string();
  }
  return {};
}

// `sequence` holds only A, C, G and T, so it is safe on a command line.
double oligotm(const std::string& program, const std::string& sequence) {
  const std::string command = program + " " + sequence;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return NAN;
  char output[64] = {};
  const bool read = std::fgets(output, sizeof output, pipe) != nullptr;
  pclose(pipe);
  return read ? std::strtod(output, nullptr) : NAN;
}

std::vector<std::string> expansions(const std::string& sequence) {
  std::vector<std::string> out{""};
  for (char letter : sequence) {
    std::vector<std::string> next;
    for (const std::string& prefix : out) {
      for (int base = 0; base < 4; ++base) {
        if (nucleotideSet(letter) & (1 << base)) next.push_back(prefix + "ACGT"[base]);
      }
    }
    out = std::move(next);
  }
  return out;
}

class OligotmReference : public testing::Test {
 protected:
  void SetUp() override {
    program_ = findOligotm();
    if (program_.empty()) GTEST_SKIP() << "oligotm not found on PATH (Debian package primer3); reference comparison skipped";
  }

  void expectAgreement(const std::string& sequence) {
    const double reference = oligotm(program_, sequence);
    const TmResult tm = primerProperties(sequence).tm;
    ASSERT_EQ(tm.status, TmStatus::computed) << sequence;
    EXPECT_NEAR(tm.celsius.min, reference, kTolerance) << sequence;
    EXPECT_EQ(tm.celsius.min, tm.celsius.max) << sequence;
    maxDifference_ = std::max(maxDifference_, std::abs(tm.celsius.min - reference));
  }

  // The run shows the agreement, not only that it is within the tolerance.
  void TearDown() override {
    if (!program_.empty()) std::printf("largest difference from oligotm: %.1e C\n", maxDifference_);
  }

  std::string program_;
  double maxDifference_ = 0;
};

TEST_F(OligotmReference, SeededRandomSequences) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> length(15, 36), base(0, 3);
  for (int i = 0; i < 300; ++i) {
    std::string sequence(length(random), 'A');
    for (char& letter : sequence) letter = "ACGT"[base(random)];
    expectAgreement(sequence);
  }
  // Self-complementary sequences take the symmetry correction.
  for (const char* palindrome : {"GGAATTCC", "GCGCATGCGCATGCGC", "ACGTACGTACGTACGTACGT"}) expectAgreement(palindrome);
}

// A degenerate primer's range is the min and max over its expansions.
TEST_F(OligotmReference, DegenerateRangesSpanTheExpansions) {
  for (const char* primer : {"AGAGTTTGATCMTGGCTCAG", "GTGCCAGCMGCCGCGGTAA", "GGACTACHVGGGTWTCTAAT",
                             "CCTACGGGNGGCWGCAG", "GACTACHVGGGTATCTAATCC"}) {
    double low = 1e9, high = -1e9;
    for (const std::string& expansion : expansions(primer)) {
      const double reference = oligotm(program_, expansion);
      low = std::min(low, reference);
      high = std::max(high, reference);
    }
    const TmResult tm = primerProperties(primer).tm;
    ASSERT_EQ(tm.status, TmStatus::computed) << primer;
    EXPECT_NEAR(tm.celsius.min, low, kTolerance) << primer;
    EXPECT_NEAR(tm.celsius.max, high, kTolerance) << primer;
    maxDifference_ = std::max({maxDifference_, std::abs(tm.celsius.min - low), std::abs(tm.celsius.max - high)});
  }
}

}  // namespace
}  // namespace tamsel
