// Writes the benchmark primer lists with Tamsel's own writers:
//   tamsel-bench-generate OUTDIR [COUNT...]
// gives OUTDIR/primers_<label>.{csv,tsv,nsub,xlsx} for each count (10k, 100k
// and 1m by default) and OUTDIR/primers_<label>.size, the list's own size,
// which the memory figures are compared with.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ExportPrimers.h"
#include "common/BenchFiles.h"
#include "common/SyntheticPrimers.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTDIR [COUNT...]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path directory = argv[1];
  std::filesystem::create_directories(directory);
  std::vector<std::size_t> counts;
  for (int i = 2; i < argc; ++i) counts.push_back(std::strtoull(argv[i], nullptr, 10));
  if (counts.empty()) counts = {10'000, 100'000, 1'000'000};

  for (const std::size_t count : counts) {
    const tamsel::PrimerList primers = tamsel::bench::syntheticPrimers(count);
    const std::string stem = "primers_" + tamsel::bench::countLabel(count);
    for (const char* extension : {"csv", "tsv", "nsub", "xlsx"}) {
      const std::filesystem::path file = directory / (stem + "." + extension);
      if (auto failure = tamsel::exportPrimers(file, primers, tamsel::kDefaultMismatches,
                                               tamsel::kDefaultEndMatches)) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), failure->c_str());
        return 1;
      }
      std::printf("%s\n", file.c_str());
    }
    const auto size = tamsel::bench::measurePrimerList(primers);
    std::ofstream(directory / (stem + ".size")) << "primers " << primers.size() << "\ntext_bytes "
                                                << size.textBytes << "\nheap_bytes " << size.heapBytes << '\n';
  }
  return 0;
}
