// Every real-world .xls file of the shared corpus reads to its expected row
// table, or fails with its expected message.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "formats/xls/XLSParser.h"

namespace tamsel {
namespace {

namespace fs = std::filesystem;

Bytes readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::vector<fs::path> corpusFiles() {
  std::vector<fs::path> files;
  fs::path dir = fs::path(TAMSEL_CORPUS_DIR) / "xls";
  if (!fs::is_directory(dir)) return files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() == ".xls") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(XLSCorpusTest, EveryFileMatchesItsExpectation) {
  auto files = corpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus at " << TAMSEL_CORPUS_DIR;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    fs::path expectedPath = fs::path(TAMSEL_CORPUS_DIR) / "expected" / (file.filename().string() + ".json");
    std::ifstream in(expectedPath);
    ASSERT_TRUE(in) << "no expectation " << expectedPath;
    nlohmann::json expected = nlohmann::json::parse(in);

    Bytes bytes = readFile(file);
    auto result = XLSParser::parse(bytes);
    if (expected.contains("error")) {
      ASSERT_FALSE(result.hasValue());
      EXPECT_EQ(result.error().domain, "XLSParser");
      EXPECT_EQ(result.error().code, 1);
      auto message = expected["error"].get<std::string>();
      if (message == "password") {
        EXPECT_NE(result.error().message.find("password"), std::string::npos) << result.error().message;
      } else {
        EXPECT_EQ(result.error().message, message);
      }
      continue;
    }
    ASSERT_TRUE(result.hasValue()) << result.error().message;
    EXPECT_EQ(result->toDense(), expected["rows"].get<std::vector<std::vector<std::string>>>());
  }
}

}  // namespace
}  // namespace tamsel
