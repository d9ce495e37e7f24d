#pragma once

// One primer as the whole system moves it around. Identity is the id alone:
// two entries with equal texts are still different rows.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tamsel {

// A random (version 4) UUID, made fresh for every entry a reader creates.
struct PrimerID {
  std::array<std::uint8_t, 16> bytes{};

  static PrimerID random();
  friend bool operator==(const PrimerID&, const PrimerID&) = default;
};

struct PrimerEntry {
  PrimerID id = PrimerID::random();
  bool selected = false;
  std::string name;      // UTF-8
  std::string sequence;  // UTF-8, IUPAC letters as in the source
  std::string comment;   // UTF-8

  PrimerEntry() = default;
  PrimerEntry(bool selected, std::string name, std::string sequence, std::string comment)
      : selected(selected),
        name(std::move(name)),
        sequence(std::move(sequence)),
        comment(std::move(comment)) {}
};

// The two list-wide settings that travel with .nsub files.
inline constexpr int kDefaultMismatches = 2;
inline constexpr int kDefaultEndMatches = 3;

struct ListSettings {
  int defaultMismatches = kDefaultMismatches;
  int endMatches = kDefaultEndMatches;
};

}  // namespace tamsel
