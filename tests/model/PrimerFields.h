#pragma once

// The four stored fields of a primer, comparable and printable, for tests
// that check what a reader made of a file.

#include <ostream>
#include <string>
#include <vector>

#include "model/PrimerList.h"

namespace tamsel {

struct PrimerFields {
  bool selected;
  std::string name, sequence, comment;
  friend bool operator==(const PrimerFields&, const PrimerFields&) = default;
  friend std::ostream& operator<<(std::ostream& os, const PrimerFields& f) {
    return os << f.selected << "|" << f.name << "|" << f.sequence << "|" << f.comment;
  }
};

inline std::vector<PrimerFields> fieldsOf(const PrimerList& primers) {
  std::vector<PrimerFields> out;
  for (const PrimerView& p : primers) out.push_back({p.selected, std::string(p.name), std::string(p.sequence), std::string(p.comment)});
  return out;
}

inline std::vector<std::string> namesOf(const PrimerList& primers) {
  std::vector<std::string> names;
  for (const PrimerView& primer : primers) names.emplace_back(primer.name);
  return names;
}

}  // namespace tamsel
