// Every real-world .xlsx file of the shared corpus reads to its expected row
// table, or fails with its expected message.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "formats/xlsx/XLSXParser.h"

namespace tamsel {
namespace {

namespace fs = std::filesystem;

const fs::path corpusDir = TAMSEL_CORPUS_DIR;

std::vector<std::string> corpusWorkbooks() {
  std::vector<std::string> names;
  if (!fs::is_directory(corpusDir / "xlsx")) return names;
  for (const auto& entry : fs::directory_iterator(corpusDir / "xlsx")) {
    if (entry.path().extension() == ".xlsx") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class XLSXCorpusTest : public testing::TestWithParam<std::string> {};

TEST_P(XLSXCorpusTest, MatchesExpectation) {
  std::ifstream expectationFile(corpusDir / "expected" / (GetParam() + ".json"));
  ASSERT_TRUE(expectationFile) << "no expectation for " << GetParam();
  const nlohmann::json expected = nlohmann::json::parse(expectationFile);
  std::ifstream workbook(corpusDir / "xlsx" / GetParam(), std::ios::binary);
  const Bytes bytes(std::istreambuf_iterator<char>(workbook), {});

  const auto result = XLSXParser::parse(bytes);
  if (expected.contains("error")) {
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error().domain, "XLSXParser");
    EXPECT_EQ(result.error().message, expected["error"].get<std::string>());
    return;
  }
  ASSERT_TRUE(result.hasValue()) << result.error().message;
  EXPECT_EQ(result->toDense(), expected["rows"].get<std::vector<std::vector<std::string>>>());
}

INSTANTIATE_TEST_SUITE_P(Corpus, XLSXCorpusTest, testing::ValuesIn(corpusWorkbooks()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.size() - 5);
                           std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(XLSXCorpusTest);

}  // namespace
}  // namespace tamsel
