// Primer sheets in the layouts labs keep them, as the programs labs use wrote
// them (tests/data/columns/README.md): each imports with the right names and
// sequences, or is refused with a message that says why.

#include <gtest/gtest.h>

#include "app/ImportFile.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using Fields = std::vector<PrimerFields>;
using R = TableLayout::Reading;

struct Fixture {
  const char* file;
  R reading;
  Fields primers;  // the first primers, or all of them
};

ImportOutcome importFixture(const std::string& name) {
  return importFile(std::string(TAMSEL_TEST_DATA_DIR) + "/columns/" + name);
}

TEST(ColumnFixtures, ReadAsTheirHeadersAndCellsSay) {
  const Fixture fixtures[] = {
      {"vendor_order.xlsx", R::header, {{false, "TP53-ex5-F", "TTCCTCTTCCTGCAGTACTC", ""}}},
      {"lab_database.xls", R::header, {{false, "GAPDH", "GAAGGTGAAGGTCGGAGTCA", ""}}},
      {"qpcr_panel.csv", R::header, {{false, "GAPDH_F", "GAAGGTGAAGGTCGGAGTCA", ""},
       {false, "GAPDH_R", "TTGAGGTCAATGAAGGGGTC", ""}, {false, "ACTB_F", "CATGTACGTTGCTATCCAGGC", ""},
       {false, "ACTB_R", "CTCCTTAATGTCACGCACGAT", ""}}},
      {"pair_names.tsv", R::header, {{false, "nCoV_1_LEFT", "ACCAACCAACTTTCGATCTCTTGT", ""},
       {false, "nCoV_1_RIGHT", "CATCTTTAAGATGTTGACGTGCCTC", ""}}},
      {"amplicon_scheme.xlsx", R::header, {{false, "amp1_F", "ACCAACCAACTTTCGATCTCTTGT", "pool 1"}}},
      {"crispr_guides.csv", R::plain, {{false, "TP53", "GAGCGCTGCTCAGATAGCGA", ""}}},
      {"orientation_column.xlsx", R::header, {{false, "MYC", "TTCGGGTAGTGGAAAACCAG", ""},
       {false, "MYC", "CAGCAGCTCGAATTTCTTCC", ""}}},
      {"sequences_first.xls", R::header, {{false, "hGAPDH-fw", "GAAGGTGAAGGTCGGAGTCA", ""},
       {false, "hGAPDH-rv", "TTGAGGTCAATGAAGGGGTC", ""}}},
      {"chinese_header.xlsx", R::header, {{false, "GAPDH-F", "GAAGGTGAAGGTCGGAGTCA", "\xE5\x86\x85\xE5\x8F\x82"}}},
      {"german_header.csv", R::header, {{false, "GAPDH-vorw\xC3\xA4rts", "GAAGGTGAAGGTCGGAGTCA", "Haushaltsgen"}}},
      {"plain_selected.xls", R::plain, {{true, "P1", "ACGTACGTAC", "first"}, {false, "P2", "GGCCAATTGG", "second"}}},
      {"plain_headerless.csv", R::plain, {{false, "P1", "ACGTACGTAC", "first"}, {false, "P2", "GGCCAATTGG", ""}}},
      {"headerless_numbered.csv", R::content, {{false, "P1", "ACGTACGTAC", "first"}}},
      {"headerless_pairs.txt", R::content, {{false, "GAPDH_F", "GAAGGTGAAGGTCGGAGTCA", ""},
       {false, "GAPDH_R", "TTGAGGTCAATGAAGGGGTC", ""}}},
      {"tabs.csv", R::plain, {{false, "P1", "ACGTACGTAC", ""}}},
      {"spaces.txt", R::plain, {{false, "P1", "ACGTACGTAC", ""}, {false, "P2", "GGCCAATTGG", ""}}},
      {"windows1252.csv", R::plain, {{false, "Prim\xC3\xA9r-\xC2\xB5", "ACGTACGTAC", "5\xE2\x80\x99 end"}}},
  };
  for (const Fixture& fixture : fixtures) {
    SCOPED_TRACE(fixture.file);
    const ImportOutcome outcome = importFixture(fixture.file);
    ASSERT_TRUE(outcome.succeeded()) << outcome.error.value_or("");
    ASSERT_GE(outcome.primers->size(), fixture.primers.size());
    Fields first = fieldsOf(*outcome.primers);
    first.resize(fixture.primers.size());
    EXPECT_EQ(first, fixture.primers);
    ASSERT_TRUE(outcome.layout);
    EXPECT_EQ(outcome.layout->reading, fixture.reading);
  }
  const ImportOutcome vendor = importFixture("vendor_order.xlsx");
  EXPECT_EQ(vendor.layout->headerRow, 2u);  // the blank row is not in the reader's table
  EXPECT_EQ(vendor.layout->skippedRows, (std::vector<std::size_t>{0, 1}));
}

TEST(ColumnFixtures, TwoSequenceColumnsUnderOneWordAreRefused) {
  const ImportOutcome outcome = importFixture("two_sequence_columns.csv");
  ASSERT_TRUE(outcome.error);
  EXPECT_EQ(outcome.error->rfind("Failed to read file: Columns B (\"Sequence\") and D (\"Sequence\")", 0), 0u)
      << *outcome.error;
}

}  // namespace
}  // namespace tamsel
