// Writes exported workbooks for other spreadsheet readers to check: for each,
// NAME.xlsx and NAME.json, the rows every reader must see
// ({"sheet": "Primers", "rows": [["Selected", ...], ...]}).

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "formats/xlsx/XLSXWriter.h"

namespace {

using tamsel::PrimerList;

PrimerList sampleTexts() {
  return {
      {true, "P1", "ACGTACGT", ""},
      {false, "Name", "acgtRYSWKMBDHVN", "Comment"},
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

PrimerList manyPrimers() {
  PrimerList primers;
  for (int i = 0; i < 2000; ++i) {
    primers.emplace_back(i % 3 == 0, "primer_" + std::to_string(i % 1500), std::string(18 + i % 9, "ACGT"[i % 4]),
                         i % 5 == 0 ? "" : "note " + std::to_string(i));
  }
  return primers;
}

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
  const bool saved = save(directory, "empty", {}) && save(directory, "samples", sampleTexts()) &&
                     save(directory, "many", manyPrimers());
  if (!saved) {
    std::fprintf(stderr, "could not write the workbooks to %s\n", argv[1]);
    return 1;
  }
  return 0;
}
