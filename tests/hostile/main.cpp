// Runs the hostile-file tests, or with `--write-to FOLDER` writes every
// hostile file into FOLDER (beside the secret file they name) so that the
// command-line tool can be measured on them.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "HostileFiles.h"

namespace {

int writeAll(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const std::string absolute = std::filesystem::absolute(folder).string();
  std::ofstream(folder / tamsel::hostile::kSecretFileName) << tamsel::hostile::kSecretText;
  for (const auto& hostile : tamsel::hostile::hostileFiles()) {
    const tamsel::Bytes bytes = hostile.make(absolute);
    std::ofstream out(folder / hostile.name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::cerr << "cannot write " << (folder / hostile.name) << "\n";
      return 1;
    }
    std::cout << hostile.name << "\t" << (hostile.message ? *hostile.message : "") << "\n";
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-to") == 0) return writeAll(argv[2]);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
