#pragma once

// Primers whose texts are hard to carry through a workbook: markup, every
// kind of Unicode, control characters, escape look-alikes; and a long list.

#include <string>

#include "model/PrimerList.h"

namespace tamsel::testing {

inline PrimerList awkwardTexts() {
  return {
      {true, "P1", "ACGTACGT", ""},
      {false, "Name", "acgtRYSWKMBDHVN", "Comment"},  // texts equal to header texts
      {true, "A&B<1>", "ACGT", "say \"hi\", it's"},
      {false, "caf\xC3\xA9 \xE2\x80\x94 \xE4\xB8\xAD\xE6\x96\x87", "ACGU", "\xF0\x9F\xA7\xAC primer \xCE\xB1\xCE\xB2"},
      {true, "tab\tand\nline", "AC GT", "windows\r\nline end\r"},
      {false, std::string("ctl\x01\x02\x1F", 6) + std::string(1, '\0') + "end", "ACGT", "\x0B\x0C"},
      {true, "nonchar\xEF\xBF\xBE\xEF\xBF\xBF", "ACGT", "  spaces around  "},
      {true, "_x0041_", "_x005F_", "__x0041__x0042_"},
      {false, "_x0041\r", "_x00ab_", "P1_x004_ fwd_1"},
      {true, "_x4_", "_x41\x01", "_x00041_ _x_"},
      {true, "", "", ""},
  };
}

inline PrimerList manyPrimers() {
  PrimerList primers;
  for (int i = 0; i < 3000; ++i) {
    primers.emplace_back(i % 3 == 0, "primer_" + std::to_string(i % 1500), std::string(18 + i % 9, "ACGT"[i % 4]),
                         i % 5 == 0 ? "" : "note " + std::to_string(i));
  }
  return primers;
}

}  // namespace tamsel::testing
