#pragma once

// Melting temperature of a primer by the nearest-neighbour two-state model:
// the unified parameters of SantaLucia (1998) with his salt correction of the
// entropy, Mg2+ counted as a monovalent equivalent. Degenerate sequences give
// the range over their expansions.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tamsel {

// The conditions of the reaction; the defaults are those of the common primer
// design tools. Concentrations must be positive, Mg2+ and dNTP may be zero.
struct TmConditions {
  double monovalentMilliMolar = 50.0;  // Na+ / K+
  double magnesiumMilliMolar = 1.5;    // Mg2+
  double dntpMilliMolar = 0.6;         // dNTP binds Mg2+
  double oligoNanoMolar = 50.0;        // each strand's concentration
};

// Monovalent cations plus 120 * sqrt([Mg2+] - [dNTP]) mM; the Mg2+ term is
// dropped when dNTP binds all of it (dNTP >= Mg2+).
double monovalentEquivalentMilliMolar(const TmConditions& conditions);

// The method's range in letters; beyond 256 expansions no Tm is computed.
inline constexpr std::size_t kMinTmLetters = 8;
inline constexpr std::size_t kMaxTmLetters = 60;
inline constexpr std::size_t kMaxTmExpansions = 256;

struct ValueRange {
  double min = 0;
  double max = 0;
};

enum class TmStatus : std::uint8_t { computed, outOfRange, tooDegenerate };

struct TmResult {
  TmStatus status = TmStatus::outOfRange;
  ValueRange celsius;  // when computed
};

// `bases` holds one nucleotide set (NucleotideSet.h) per letter, none empty.
// A self-complementary expansion forms a duplex with itself and is computed
// with the symmetry correction and the full strand concentration.
TmResult meltingTemperature(std::span<const std::uint8_t> bases, const TmConditions& conditions = {});

// What every shown Tm is labelled with: the method, and the conditions as
// "Na+ 50 mM, Mg2+ 1.5 mM, dNTP 0.6 mM, oligo 50 nM".
inline constexpr std::string_view kTmMethod =
    "nearest-neighbour two-state, SantaLucia 1998 unified parameters and salt correction";
inline constexpr std::string_view kDivalentConversion = "Na+ + 120*sqrt(Mg2+ - dNTP), no Mg2+ term when dNTP >= Mg2+";
std::string describeTmConditions(const TmConditions& conditions);
// One line: "Tm: <method>; <conditions>".
std::string describeTm(const TmConditions& conditions);

}  // namespace tamsel
