// Workbooks written by other programs read to the rows they hold.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/xls/CompoundDocument.h"
#include "formats/xls/XLSParser.h"

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Bytes fixture(const std::string& name) {
  std::ifstream in(std::string(TAMSEL_TEST_DATA_DIR) + "/xls/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Rows parseFixture(const std::string& name) {
  auto result = XLSParser::parse(fixture(name));
  if (!result) {
    ADD_FAILURE() << name << ": " << result.error().message;
    return {};
  }
  return result->toDense();
}

TEST(XLSFixtureTest, OneSheetWithHeaderAndPrimers) {
  EXPECT_EQ(parseFixture("primers.xls"),
            (Rows{{"Name", "Sequence", "Comment", "Selected"},
                  {"GAPDH-F", "GAAGGTGAAGGTCGGAGTC", "housekeeping", "1"},
                  {"GAPDH-R", "GAAGATGGTGATGGGATTTC", "", "0"},
                  {"ACTB-F", "CATGTACGTTGCTATCCAGGC", "beta actin", "1"}}));
}

TEST(XLSFixtureTest, OnlyTheFirstSheetIsRead) {
  EXPECT_EQ(parseFixture("several_sheets.xls"), (Rows{{"first A1", ""}, {"", "first B2"}}));
}

TEST(XLSFixtureTest, SharedStringsAcrossContinueRecords) {
  Rows rows = parseFixture("long_strings.xls");
  ASSERT_EQ(rows.size(), 300u);
  for (int r = 0; r < 300; ++r) {
    std::string expected;
    char prefix[16];
    if (r % 3 == 2) {
      std::snprintf(prefix, sizeof prefix, "%03d ", r);
      expected = "Ω" + std::string(prefix);
      for (int i = 0; i < 40; ++i) expected += "Δη";
    } else {
      std::snprintf(prefix, sizeof prefix, "row %03d ", r);
      expected = prefix;
      for (int i = 0; i < 10 + r % 17; ++i) expected += "ACGT";
    }
    ASSERT_EQ(rows[r], std::vector<std::string>{expected}) << "row " << r;
  }
}

TEST(XLSFixtureTest, NonASCIITextInOneAndTwoByteForms) {
  EXPECT_EQ(parseFixture("non_ascii.xls"), (Rows{{"Ångström café", "Москва αβγ"}, {"naïve", "日本語"}}));
}

TEST(XLSFixtureTest, NumbersBooleansAndCachedFormulaResults) {
  EXPECT_EQ(parseFixture("numbers_booleans_formulas.xls"),
            (Rows{{"Label", "Value", "Twice", "Joined"},
                  {"int", "1", "2", "int-1"},
                  {"fraction", "2.5", "5", "1"},
                  {"negative", "-12", "-24", "0"},
                  {"big", "123456789012", "246913578024", ""},
                  {"small", "1e-05", "2e-05", ""},
                  {"bool", "1", "0", ""}}));
}

TEST(XLSFixtureTest, SmallWorkbooksAreReadFromTheMiniStream) {
  Bytes bytes = fixture("mini_stream.xls");
  auto document = CompoundDocument::open(bytes);
  ASSERT_TRUE(document.hasValue());
  auto stream = document->stream("Workbook");
  ASSERT_TRUE(stream.has_value());
  EXPECT_LT(stream->size(), 4096u);
  EXPECT_EQ(parseFixture("mini_stream.xls"), (Rows{{"Name", "Sequence"}, {"P1", "ACGTACGTAC"}}));
}

TEST(XLSFixtureTest, ExcelFiveWorkbookInItsCodePage) {
  EXPECT_EQ(parseFixture("biff5.xls"),
            (Rows{{"Name", "Sequence", "Note"}, {"P1", "ACGTACGTAC", "café"}, {"P2", "TTGGCCAAGG", "Öl"}}));
}

}  // namespace
}  // namespace tamsel
