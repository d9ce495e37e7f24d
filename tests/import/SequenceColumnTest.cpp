#include <gtest/gtest.h>

#include "DenseRows.h"
#include "import/SequenceColumn.h"

namespace tamsel {
namespace {

TEST(SequenceColumn, ByHeaderOrByContent) {
  using Rows = std::vector<std::vector<std::string>>;
  const struct {
    Rows rows;
    bool has;
  } cases[] = {
      // By header: a sequence word over a plausible sequence, not over none.
      {{{"Name", "Sequence"}, {"P1", "ACGTACGTAC"}, {"P2", "pending"}}, true},
      {{{"Name", "Sequence"}}, false},
      {{{"primer_label", "pct_fwd", "pct_rev"}, {"Un_32", "95.7", "75.4"}}, false},
      {{{"Primer list 2024"}, {"Oligo Name", "5'-Seq-3'", "Scale"}, {"P1", "ACGTACGTAC", "25 nm"}}, true},
      // By content: plausible sequences in most rows, headerless.
      {{{"P1", "ACGTACGTAC"}, {"P2", "GGCCTTAAGG"}}, true},
      {{{"1", "x", "ACGTACGTAC", "y", "z"}}, true},
      // A cover page, a legend, an index: no sequence column.
      {{{"Primer collection of the lab"}, {"Contact", "lab@example.org"}, {"Updated", "2024-03-01"}}, false},
      {{{"Name", "Notes"}, {"P1", "store cold"}}, false},
      {{{"P1", "ACGT"}}, false},
      {{}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hasSequenceColumn(testing::rowTable(c.rows)), c.has) << (c.rows.empty() ? "" : c.rows[0][0]);
  }
}

}  // namespace
}  // namespace tamsel
