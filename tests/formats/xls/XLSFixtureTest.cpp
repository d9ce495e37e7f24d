// Workbooks written by other programs (tests/data/xls/README.md) read to the
// rows they hold.

#include <gtest/gtest.h>

#include "DenseRows.h"
#include "TestData.h"
#include "formats/xls/XLSParser.h"

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows parseFixture(const std::string& name) {
  auto result = XLSParser::parse(testing::testData("xls/" + name));
  return result ? testing::dense(*result) : Rows{{"error: " + result.error().message}};
}

TEST(XLSFixtureTest, WorkbooksFromOtherWriters) {
  EXPECT_EQ(parseFixture("primers.xls"), (Rows{{"Name", "Sequence", "Comment", "Selected"},
                                               {"GAPDH-F", "GAAGGTGAAGGTCGGAGTC", "housekeeping", "1"},
                                               {"GAPDH-R", "GAAGATGGTGATGGGATTTC", "", "0"},
                                               {"ACTB-F", "CATGTACGTTGCTATCCAGGC", "beta actin", "1"}}));
  EXPECT_EQ(parseFixture("several_sheets.xls"), (Rows{{"first A1", ""}, {"", "first B2"}}));
  EXPECT_EQ(parseFixture("non_ascii.xls"), (Rows{{"Ångström café", "Москва αβγ"}, {"naïve", "日本語"}}));
  EXPECT_EQ(parseFixture("numbers_booleans_formulas.xls"), (Rows{{"Label", "Value", "Twice", "Joined"},
                                                                 {"int", "1", "2", "int-1"},
                                                                 {"fraction", "2.5", "5", "1"},
                                                                 {"negative", "-12", "-24", "0"},
                                                                 {"big", "123456789012", "246913578024", ""},
                                                                 {"small", "1e-05", "2e-05", ""},
                                                                 {"bool", "1", "0", ""}}));
  // Workbook streams below 4096 bytes, in the mini stream; the second is Excel 5.0/95.
  EXPECT_EQ(parseFixture("mini_stream.xls"), (Rows{{"Name", "Sequence"}, {"P1", "ACGTACGTAC"}}));
  EXPECT_EQ(parseFixture("biff5.xls"),
            (Rows{{"Name", "Sequence", "Note"}, {"P1", "ACGTACGTAC", "café"}, {"P2", "TTGGCCAAGG", "Öl"}}));
}

TEST(XLSFixtureTest, SharedStringsAcrossContinueRecords) {
  Rows rows = parseFixture("long_strings.xls");
  ASSERT_EQ(rows.size(), 300u);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, r % 3 == 2 ? "Ω%03zu " : "row %03zu ", r);
    std::string expected = prefix;
    for (std::size_t i = 0; i < (r % 3 == 2 ? 40 : 10 + r % 17); ++i) expected += r % 3 == 2 ? "Δη" : "ACGT";
    ASSERT_EQ(rows[r], std::vector<std::string>{expected}) << "row " << r;
  }
}

}  // namespace
}  // namespace tamsel
