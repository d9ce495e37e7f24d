// Every real-world .xls file of the shared corpus reads to its expected row
// table, or fails with its expected message.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "formats/xls/XLSParser.h"

namespace tamsel {
namespace {

namespace fs = std::filesystem;

TEST(XLSCorpusTest, EveryFileMatchesItsExpectation) {
  const fs::path corpus(TAMSEL_CORPUS_DIR);
  std::set<fs::path> files;
  if (fs::is_directory(corpus / "xls")) {
    for (const auto& entry : fs::directory_iterator(corpus / "xls")) {
      if (entry.path().extension() == ".xls") files.insert(entry.path());
    }
  }
  if (files.empty()) GTEST_SKIP() << "no corpus at " << TAMSEL_CORPUS_DIR;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    std::ifstream in(corpus / "expected" / (file.filename().string() + ".json"));
    ASSERT_TRUE(in) << "no expectation";
    const nlohmann::json expected = nlohmann::json::parse(in);
    std::ifstream bytes(file, std::ios::binary);
    auto result = XLSParser::parse(Bytes(std::istreambuf_iterator<char>(bytes), {}));
    if (!expected.contains("error")) {
      ASSERT_TRUE(result.hasValue()) << result.error().message;
      EXPECT_EQ(result->toDense(), expected["rows"].get<std::vector<std::vector<std::string>>>());
      continue;
    }
    ASSERT_FALSE(result.hasValue());
    EXPECT_EQ(result.error().domain, "XLSParser");
    EXPECT_EQ(result.error().code, 1);
    const auto message = expected["error"].get<std::string>();
    if (message == "password") {
      EXPECT_NE(result.error().message.find("password"), std::string::npos) << result.error().message;
    } else {
      EXPECT_EQ(result.error().message, message);
    }
  }
}

}  // namespace
}  // namespace tamsel
