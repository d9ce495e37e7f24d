#pragma once

// The find field's rule: a row matches when its name, sequence or comment
// contains the text, ignoring case; the sequence also matches with the
// spaces of the text (and of the sequence) left out.

#include <string>
#include <string_view>

#include "model/PrimerList.h"

namespace tamsel {

class RowFilter {
 public:
  explicit RowFilter(std::string_view text = {});

  bool isEmpty() const { return query_.empty(); }
  bool matches(const PrimerView& primer) const;

 private:
  std::string query_;          // lower-cased
  std::string sequenceQuery_;  // lower-cased, without white space
};

}  // namespace tamsel
