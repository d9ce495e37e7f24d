// Writes exported workbooks for other spreadsheet readers to check: for each,
// NAME.xlsx and NAME.json, the rows every reader must see
// ({"sheet": "Primers", "rows": [["Selected", ...], ...]}).

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "formats/xlsx/SamplePrimers.h"
#include "formats/xlsx/XLSXWriter.h"

namespace {

using tamsel::PrimerList;

bool save(const std::filesystem::path& directory, const std::string& name, const PrimerList& primers) {
  nlohmann::json rows = nlohmann::json::array();
  rows.push_back({"Selected", "Name", "Sequence", "Comment"});
  for (const auto& primer : primers) {
    rows.push_back({primer.selected ? "1" : "0", primer.name, primer.sequence, primer.comment});
  }
  const tamsel::Bytes workbook = tamsel::XLSXWriter::write(primers);
  std::ofstream xlsx(directory / (name + ".xlsx"), std::ios::binary);
  xlsx.write(reinterpret_cast<const char*>(workbook.data()), static_cast<std::streamsize>(workbook.size()));
  std::ofstream json(directory / (name + ".json"));
  json << nlohmann::json{{"sheet", "Primers"}, {"rows", rows}}.dump(1);
  return xlsx.good() && json.good();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
    return 2;
  }
  const std::filesystem::path directory = argv[1];
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  const bool saved = save(directory, "empty", {}) && save(directory, "samples", tamsel::testing::awkwardTexts()) &&
                     save(directory, "many", tamsel::testing::manyPrimers());
  if (!saved) {
    std::fprintf(stderr, "could not write the workbooks to %s\n", argv[1]);
    return 1;
  }
  return 0;
}
