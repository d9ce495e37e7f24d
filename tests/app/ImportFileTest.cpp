#include "app/ImportFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/ReadRowTable.h"
#include "formats/nsub/NSubWriter.h"

namespace tamsel {
namespace {

using testing::TempFolder;

constexpr const char* kNoValidSequence =
    "No valid DNA sequence of at least 5 characters was found. This does not appear to be a valid primer file.";

std::string nsubFile(const PrimerList& primers, std::uint8_t defaultMismatches, std::uint8_t endMatches) {
  return testing::asString(NSubWriter::write(primers, defaultMismatches, endMatches));
}

TEST(ImportFileTest, NSubSettingsAreAppliedEvenWhenTheListIsRejected) {
  TempFolder folder;
  const std::string headerOnly("VERS\x01\x10", 6);
  ImportOutcome empty = importFile(folder.write("empty.NSUB", headerOnly));
  EXPECT_FALSE(empty.succeeded());
  EXPECT_EQ(empty.error, "No primer data found in the file.");
  ASSERT_TRUE(empty.settings);
  EXPECT_EQ(empty.settings->defaultMismatches, 2);
  EXPECT_EQ(empty.settings->endMatches, 3);

  ImportOutcome implausible = importFile(folder.write("short.nsub", nsubFile({PrimerEntry(true, "P", "ACGT", "")}, 7, 9)));
  EXPECT_EQ(implausible.error, kNoValidSequence);
  ASSERT_TRUE(implausible.settings);
  EXPECT_EQ(implausible.settings->defaultMismatches, 7);
  EXPECT_EQ(implausible.settings->endMatches, 9);

  ImportOutcome broken = importFile(folder.write("broken.nsub", "VERS\x01"));
  EXPECT_EQ(broken.error, "Failed to read file: The file is too short to be a valid .nsub file.");
  EXPECT_FALSE(broken.settings);
}

TEST(ImportFileTest, NSubFileImportsWithItsSettingsAndBaseName) {
  TempFolder folder;
  const auto file =
      folder.write("Set 3.final.nsub", nsubFile({PrimerEntry(true, "P1", "ACGT", ""), PrimerEntry(false, "P2", "acgtac", "c")}, 1, 4));
  ImportOutcome outcome = importFile(file);
  ASSERT_TRUE(outcome.succeeded()) << outcome.error.value_or("");
  EXPECT_EQ(outcome.fileBaseName, "Set 3.final");
  ASSERT_EQ(outcome.primers->size(), 2u);
  EXPECT_EQ((*outcome.primers)[1].sequence, "acgtac");
  EXPECT_EQ(outcome.settings->defaultMismatches, 1);
  EXPECT_EQ(outcome.settings->endMatches, 4);
  EXPECT_FALSE(outcome.error);
}

TEST(ImportFileTest, TextFilesAreChosenByExtensionAndChecked) {
  TempFolder folder;
  ImportOutcome upper = importFile(folder.write("Primers.CSV", "Name,Sequence\nP1,ACGTACGT\n"));
  ASSERT_TRUE(upper.succeeded()) << upper.error.value_or("");
  EXPECT_EQ(upper.fileBaseName, "Primers");
  EXPECT_EQ((*upper.primers)[0].name, "P1");
  EXPECT_EQ((*upper.primers)[0].sequence, "ACGTACGT");
  EXPECT_FALSE(upper.settings);

  // The same text as .txt is split at tabs: one cell per line.
  ImportOutcome txt = importFile(folder.write("p.txt", "Name,Sequence\nP1,ACGTACGT\n"));
  EXPECT_EQ(txt.error, kNoValidSequence);

  EXPECT_EQ(importFile(folder.write("header.csv", "Name,Sequence\n")).error, "No primer data found in the file.");
  EXPECT_EQ(importFile(folder.write("short.csv", "Name,Sequence\nP1,ACG\n")).error, kNoValidSequence);

  ImportOutcome wide = importFile(folder.write("wide.csv", "a,b,c,d,e,f\n"));
  EXPECT_EQ(wide.error, "Failed to read file: The file has 6 columns, which is more than the maximum of 4 "
                        "(Selected, Name, Sequence, Comment). This does not appear to be a valid primer file.");

  ImportOutcome latin1 = importFile(folder.write("latin1.csv", "Name,Sequence\nPr\xE9,ACGTACGT\n"));
  ASSERT_TRUE(latin1.error);
  EXPECT_EQ(latin1.error->rfind("Failed to read file: ", 0), 0u) << *latin1.error;
}

TEST(ImportFileTest, UnreadableFilesAndWorkbooksGiveThePrefixedMessage) {
  TempFolder folder;
  ImportOutcome missing = importFile(folder / "missing.csv");
  ASSERT_TRUE(missing.error);
  EXPECT_EQ(missing.error->rfind("Failed to read file: No such file or directory", 0), 0u) << *missing.error;

  // The extension alone chooses the reader: a text file named .xls or .xlsx
  // goes to the workbook readers, which refuse it.
  for (const char* name : {"fake.xls", "fake.XLSX"}) {
    ImportOutcome fake = importFile(folder.write(name, "Name,Sequence\nP1,ACGTACGT\n"));
    ASSERT_TRUE(fake.error) << name;
    EXPECT_EQ(fake.error->rfind("Failed to read file: ", 0), 0u) << *fake.error;
    EXPECT_FALSE(fake.primers);
  }
}

TEST(ReadRowTableTest, GivesTheReadersCellsBeforeConversion) {
  TempFolder folder;
  auto text = readRowTable(folder.write("cells.tsv", "Name\tSequence\n\n  P1 \tAC-GT\n"));
  ASSERT_TRUE(text) << text.error();
  EXPECT_EQ(text->toDense(), (std::vector<std::vector<std::string>>{{"Name", "Sequence"}, {"P1", "AC-GT"}}));

  auto nsub = readRowTable(folder.write("list.nsub", nsubFile({PrimerEntry(true, "P1", "ACGT", "c"), PrimerEntry(false, "", "", "")}, 2, 3)));
  ASSERT_TRUE(nsub) << nsub.error();
  EXPECT_EQ(nsub->toDense(), (std::vector<std::vector<std::string>>{{"1", "P1", "ACGT", "c"}, {"0", "", "", ""}}));

  auto broken = readRowTable(folder.write("broken.nsub", "VERX\x01\x10"));
  ASSERT_FALSE(broken);
  EXPECT_EQ(broken.error(), "Failed to read file: The file does not have a valid .nsub header.");
}

}  // namespace
}  // namespace tamsel
