#include "common/SyntheticPrimers.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace tamsel::bench {
namespace {

// A small, fixed pseudo-random sequence (xorshift64*): fast, and the same on
// every machine, so files made today compare with files made tomorrow.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed | 1) {}
  std::uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }
  std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }

 private:
  std::uint64_t state_;
};

constexpr std::array<std::string_view, 12> kGenes = {"BRCA1", "TP53", "EGFR", "KRAS", "GAPDH", "ACTB",
                                                     "MYC",   "CFTR", "APOE", "HBB",  "VEGFA", "IL6"};
constexpr std::array<std::string_view, 8> kComments = {"",         "qPCR",       "exon boundary", "Tm 60",
                                                       "reorder", "validated", "SNP at 3' end", "batch 7"};
constexpr std::string_view kCommonBases = "ACGT";
constexpr std::string_view kAmbiguityCodes = "RYSWKMBDHVN";

}  // namespace

PrimerList syntheticPrimers(std::size_t count) {
  Random random(0x7A45E1ULL + count);
  PrimerList primers;
  primers.reserve(count);
  char name[48];
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view gene = kGenes[random.below(kGenes.size())];
    std::snprintf(name, sizeof name, "%.*s_e%zu_%c%07zu", static_cast<int>(gene.size()), gene.data(),
                  1 + random.below(30), random.below(2) ? 'F' : 'R', i + 1);
    std::string sequence(18 + random.below(13), 'A');
    for (char& base : sequence) {
      // About one letter in fifty is an ambiguity code.
      base = random.below(50) == 0 ? kAmbiguityCodes[random.below(kAmbiguityCodes.size())]
                                   : kCommonBases[random.below(4)];
    }
    primers.emplace_back(random.below(5) == 0, name, std::move(sequence),
                         std::string(kComments[random.below(kComments.size())]));
  }
  return primers;
}

PrimerListSize measurePrimerList(const PrimerList& primers) {
  PrimerListSize size;
  size.heapBytes = primers.memoryBytes();
  for (const PrimerView& entry : primers) {
    size.textBytes += entry.name.size() + entry.sequence.size() + entry.comment.size();
  }
  return size;
}

}  // namespace tamsel::bench
