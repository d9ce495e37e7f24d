#include "app/ExportPrimers.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/FileIO.h"
#include "app/ImportFile.h"

namespace tamsel {
namespace {

using testing::readFile;
using testing::TempFolder;

PrimerList twoPrimers() { return {PrimerEntry(true, "P1", "ACGTACGT", "fwd"), PrimerEntry(false, "P2", "", "")}; }

TEST(ExportFormatsTest, TitlesAndProposedNames) {
  const auto& formats = exportFormats();
  EXPECT_EQ(formats[0].title, "Helmvard Primer (.nsub)");
  EXPECT_EQ(formats[1].title, "Excel Workbook (.xlsx)");
  EXPECT_EQ(formats[2].title, "Comma-Separated Values (.csv)");
  EXPECT_EQ(formats[3].title, "Tab-Separated Values (.tsv)");
  EXPECT_EQ(updateSavePanel("primers.nsub", 2), "primers.csv");
  EXPECT_EQ(updateSavePanel("Set 3.final.nsub", 3), "Set 3.tsv");
  EXPECT_EQ(updateSavePanel("", 2), ".csv");
}

TEST(ExportPrimersTest, TheDestinationsExtensionChoosesTheWriter) {
  TempFolder folder;
  EXPECT_EQ(exportPrimers(folder / "a.csv", twoPrimers(), 2, 3), std::nullopt);
  EXPECT_EQ(readFile(folder / "a.csv"), "Selected,Name,Sequence,Comment\n1,P1,ACGTACGT,fwd\n0,P2,,");
  EXPECT_EQ(exportPrimers(folder / "a.TSV", twoPrimers(), 2, 3), std::nullopt);
  EXPECT_EQ(readFile(folder / "a.TSV"), "Selected\tName\tSequence\tComment\n1\tP1\tACGTACGT\tfwd\n0\tP2\t\t");

  // Any other extension is written as .nsub and reads back with its settings.
  EXPECT_EQ(exportPrimers(folder / "a.primers", twoPrimers(), 0, 10), std::nullopt);
  EXPECT_EQ(readFile(folder / "a.primers").substr(0, 4), "VERS");
  std::filesystem::rename(folder / "a.primers", folder / "a.nsub");
  ImportOutcome back = importFile(folder / "a.nsub");
  ASSERT_TRUE(back.succeeded()) << back.error.value_or("");
  EXPECT_EQ(back.settings->defaultMismatches, 0);
  EXPECT_EQ(back.settings->endMatches, 10);
  EXPECT_EQ((*back.primers)[0].comment, "fwd");
}

TEST(ExportPrimersTest, AListTheFormatCannotHoldWritesNothing) {
  TempFolder folder;
  const auto file = folder.write("kept.nsub", "good file");
  PrimerList primers = twoPrimers();
  primers[1].comment.assign(70000, 'c');
  std::optional<std::string> failure = exportPrimers(file, primers, 2, 3);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->rfind("Failed to export: ", 0), 0u) << *failure;
  EXPECT_NE(failure->find("row 2"), std::string::npos) << *failure;
  EXPECT_NE(failure->find("\"P2\""), std::string::npos) << *failure;
  EXPECT_EQ(readFile(file), "good file");

  // The same list fits a text format.
  EXPECT_EQ(exportPrimers(folder / "fits.csv", primers, 2, 3), std::nullopt);

  std::optional<std::string> badSetting = exportPrimers(file, twoPrimers(), 256, 3);
  ASSERT_TRUE(badSetting);
  EXPECT_EQ(badSetting->rfind("Failed to export: ", 0), 0u);
  EXPECT_EQ(readFile(file), "good file");
}

ssize_t failLikeAFullDisk(int, const void*, std::size_t) {
  errno = ENOSPC;
  return -1;
}

TEST(ExportPrimersTest, AFailedWriteKeepsThePreviousExportOfEveryFormat) {
  TempFolder folder;
  for (const char* name : {"out.nsub", "out.csv", "out.tsv", "out.xlsx"}) {
    const auto file = folder.write(name, "previous export");
    setWriteCallForTesting(failLikeAFullDisk);
    std::optional<std::string> failure = exportPrimers(file, twoPrimers(), 2, 3);
    setWriteCallForTesting(nullptr);
    ASSERT_TRUE(failure) << name;
    EXPECT_EQ(failure->rfind("Failed to export: No space left on device", 0), 0u) << *failure;
    EXPECT_EQ(readFile(file), "previous export") << name;
  }
  std::optional<std::string> vanished = exportPrimers(folder / "gone" / "out.csv", twoPrimers(), 2, 3);
  ASSERT_TRUE(vanished);
  EXPECT_EQ(vanished->rfind("Failed to export: No such file or directory", 0), 0u) << *vanished;
}

}  // namespace
}  // namespace tamsel
