#include "model/MeltingTemperature.h"

#include <array>
#include <bit>
#include <cmath>

#include "model/NucleotideSet.h"
#include "model/NumberText.h"

namespace tamsel {
namespace {

// Nearest-neighbour stacks 5'-XY-3' in the order A, C, G, T: enthalpy in
// 0.1 kcal/mol and entropy in 0.1 cal/(K mol), so sums stay exact integers.
constexpr int kStackEnthalpy[4][4] = {
    {-79, -84, -78, -72}, {-85, -80, -106, -78}, {-82, -98, -80, -84}, {-72, -82, -85, -79}};
constexpr int kStackEntropy[4][4] = {
    {-222, -224, -210, -204}, {-227, -199, -272, -210}, {-222, -244, -199, -224}, {-213, -222, -227, -222}};

// Initiation, once per terminal base pair, and the self-complementary term.
constexpr int kTerminalATEnthalpy = 23, kTerminalATEntropy = 41;
constexpr int kTerminalGCEnthalpy = 1, kTerminalGCEntropy = -28;
constexpr int kSymmetryEntropy = -14;

constexpr double kGasConstant = 1.987;  // cal/(K mol)
constexpr double kZeroCelsius = 273.15;

// The lowest base of a set: A0 C1 G2 T3.
int indexOf(std::uint8_t set) { return std::countr_zero(set); }
bool isGC(int index) { return index == 1 || index == 2; }

// The terms that depend on the conditions and the length only.
struct Denominators {
  double salt;         // 0.368 * (N - 1) * ln[Na+ eq], per duplex
  double pairedEntropy;     // R ln(Ct / 4): two different strands
  double selfEntropy;  // R ln(Ct): one self-complementary strand

  Denominators(const TmConditions& conditions, std::size_t length)
      : salt(0.368 * static_cast<double>(length - 1) * std::log(monovalentEquivalentMilliMolar(conditions) / 1000.0)),
        pairedEntropy(kGasConstant * std::log(conditions.oligoNanoMolar * 1e-9 / 4.0)),
        selfEntropy(kGasConstant * std::log(conditions.oligoNanoMolar * 1e-9)) {}
};

// Walks every expansion once, summing the stacks along the way, so each
// leaf costs a few additions and one division.
class Expansions {
 public:
  Expansions(std::span<const std::uint8_t> bases, const Denominators& denominators)
      : bases_(bases), denominators_(denominators), maybeSelfComplementary_(couldBeSelfComplementary(bases)) {}

  ValueRange range() {
    for (std::uint8_t set = bases_[0]; set != 0; set &= set - 1) {
      chosen_[0] = static_cast<std::int8_t>(indexOf(set));
      visit(1, 0, 0);
    }
    return range_;
  }

 private:
  static bool couldBeSelfComplementary(std::span<const std::uint8_t> bases) {
    if (bases.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < bases.size() / 2; ++i) {
      if ((bases[i] & complementSet(bases[bases.size() - 1 - i])) == 0) return false;
    }
    return true;
  }

  bool chosenIsSelfComplementary() const {
    const std::size_t n = bases_.size();
    for (std::size_t i = 0; i < n / 2; ++i) {
      if (chosen_[i] != 3 - chosen_[n - 1 - i]) return false;  // A<->T, C<->G
    }
    return true;
  }

  void visit(std::size_t position, int enthalpy, int entropy) {
    if (position == bases_.size()) return leaf(enthalpy, entropy);
    const int previous = chosen_[position - 1];
    for (std::uint8_t set = bases_[position]; set != 0; set &= set - 1) {
      const int base = indexOf(set);
      chosen_[position] = static_cast<std::int8_t>(base);
      visit(position + 1, enthalpy + kStackEnthalpy[previous][base], entropy + kStackEntropy[previous][base]);
    }
  }

  void leaf(int enthalpy, int entropy) {
    for (int terminal : {chosen_[0], chosen_[bases_.size() - 1]}) {
      enthalpy += isGC(terminal) ? kTerminalGCEnthalpy : kTerminalATEnthalpy;
      entropy += isGC(terminal) ? kTerminalGCEntropy : kTerminalATEntropy;
    }
    const bool self = maybeSelfComplementary_ && chosenIsSelfComplementary();
    if (self) entropy += kSymmetryEntropy;
    const double celsius = enthalpy * 100.0 / (entropy * 0.1 + denominators_.salt +
                                               (self ? denominators_.selfEntropy : denominators_.pairedEntropy)) -
                           kZeroCelsius;
    if (first_ || celsius < range_.min) range_.min = celsius;
    if (first_ || celsius > range_.max) range_.max = celsius;
    first_ = false;
  }

  std::span<const std::uint8_t> bases_;
  const Denominators& denominators_;
  bool maybeSelfComplementary_;
  std::array<std::int8_t, kMaxTmLetters> chosen_{};
  ValueRange range_;
  bool first_ = true;
};

std::size_t expansionCount(std::span<const std::uint8_t> bases) {
  std::size_t count = 1;
  for (std::uint8_t set : bases) {
    count *= static_cast<std::size_t>(std::popcount(set));
    if (count > kMaxTmExpansions) break;
  }
  return count;
}

}  // namespace

double monovalentEquivalentMilliMolar(const TmConditions& conditions) {
  const double freeMagnesium = conditions.magnesiumMilliMolar - conditions.dntpMilliMolar;
  return conditions.monovalentMilliMolar + (freeMagnesium > 0 ? 120.0 * std::sqrt(freeMagnesium) : 0.0);
}

TmResult meltingTemperature(std::span<const std::uint8_t> bases, const TmConditions& conditions) {
  if (bases.size() < kMinTmLetters || bases.size() > kMaxTmLetters) return {TmStatus::outOfRange, {}};
  if (expansionCount(bases) > kMaxTmExpansions) return {TmStatus::tooDegenerate, {}};
  const Denominators denominators(conditions, bases.size());
  return {TmStatus::computed, Expansions(bases, denominators).range()};
}

std::string describeTmConditions(const TmConditions& conditions) {
  return "Na+ " + numberText(conditions.monovalentMilliMolar) + " mM, Mg2+ " +
         numberText(conditions.magnesiumMilliMolar) + " mM, dNTP " + numberText(conditions.dntpMilliMolar) +
         " mM, oligo " + numberText(conditions.oligoNanoMolar) + " nM";
}

std::string describeTm(const TmConditions& conditions) {
  return "Tm: " + std::string(kTmMethod) + "; " + describeTmConditions(conditions);
}

}  // namespace tamsel
