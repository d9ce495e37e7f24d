#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/FileIO.h"

namespace tamsel {
namespace {

using testing::readFile;
using testing::TempFolder;

TEST(SymlinkExportTest, WritesThroughLinksAndKeepsThem) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "data");
  folder.write("data/primers.csv", "old");
  // A relative link to a link: both stay links, the file at the end is replaced.
  std::filesystem::create_symlink("data/primers.csv", folder / "latest.csv");
  std::filesystem::create_symlink(folder / "latest.csv", folder / "alias.csv");
  // A dangling link names the file to create.
  std::filesystem::create_symlink("data/new.tsv", folder / "new.tsv");

  EXPECT_EQ(writeFileAtomically(folder / "alias.csv", asBytes("new")), std::nullopt);
  EXPECT_EQ(writeFileAtomically(folder / "new.tsv", asBytes("created")), std::nullopt);

  EXPECT_TRUE(std::filesystem::is_symlink(folder / "alias.csv"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "latest.csv"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "new.tsv"));
  EXPECT_EQ(readFile(folder / "data/primers.csv"), "new");
  EXPECT_EQ(readFile(folder / "data/new.tsv"), "created");
}

TEST(SymlinkExportTest, LinkLoopIsReportedAndNothingIsWritten) {
  TempFolder folder;
  std::filesystem::create_symlink("b.csv", folder / "a.csv");
  std::filesystem::create_symlink("a.csv", folder / "b.csv");
  const auto error = writeFileAtomically(folder / "a.csv", asBytes("x"));
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("a.csv"), std::string::npos) << *error;
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "a.csv"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

}  // namespace
}  // namespace tamsel
