#include "app/ImportFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "DenseRows.h"
#include "app/ReadUnconverted.h"
#include "formats/nsub/NSubWriter.h"
#include "import/TableLayout.h"
#include "import/ConvertRows.h"
#include "model/ImportError.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using testing::TempFolder;
using Rows = std::vector<std::vector<std::string>>;

std::string nsubFile(const PrimerList& primers, std::uint8_t defaultMismatches, std::uint8_t endMatches) {
  return testing::asString(NSubWriter::write(primers, defaultMismatches, endMatches));
}

TEST(ImportFileTest, FilesAreReadByExtensionAndImportWithTheirSettingsAndBaseName) {
  TempFolder folder;
  ImportOutcome nsub = importFile(folder.write(
      "Set 3.final.NSUB", nsubFile({PrimerEntry(true, "P1", "ACGT", ""), PrimerEntry(false, "P2", "acgtac", "c")}, 1, 4)));
  ASSERT_TRUE(nsub.succeeded()) << nsub.error.value_or("");
  EXPECT_EQ(nsub.fileBaseName, "Set 3.final");
  ASSERT_EQ(nsub.primers->size(), 2u);
  EXPECT_EQ((*nsub.primers)[1].sequence, "acgtac");
  EXPECT_EQ(nsub.settings->defaultMismatches, 1);
  EXPECT_EQ(nsub.settings->endMatches, 4);

  ImportOutcome csv = importFile(folder.write("Primers.CSV", "Name,Sequence\nP1,ACGTACGT\n"));
  ASSERT_TRUE(csv.succeeded()) << csv.error.value_or("");
  EXPECT_EQ(csv.fileBaseName, "Primers");
  EXPECT_EQ((*csv.primers)[0].sequence, "ACGTACGT");
  EXPECT_FALSE(csv.settings);
}

TEST(ImportFileTest, RefusedFilesGiveTheWindowsMessage) {
  TempFolder folder;
  const std::string noValid = ImportError::noValidSequence().message, read = "Failed to read file: ";
  const struct {
    const char* name;
    std::string contents, error;  // the message, or its start when it ends in ": "
  } cases[] = {
      {"header.csv", "Name,Sequence\n", "No primer data found in the file."},
      {"short.csv", "Name,Sequence\nP1,ACG\n", noValid},
      {"p.txt", "Name,Sequence\nP1,ACGTACGT\n", noValid},  // split at tabs: one cell per line
      {"wide.csv", "a,b,c,d,e,f\n", read + ImportError::tooManyColumns(6).message},
      {"marked-latin1.csv", "\xEF\xBB\xBFName,Sequence\nPr\xE9,ACGTACGT\n", read},  // unmarked: Windows-1252
      {"broken.nsub", "VERS\x01", read + "The file is too short to be a valid .nsub file."},
      // The extension alone chooses the reader: these go to the workbook readers.
      {"fake.xls", "Name,Sequence\nP1,ACGTACGT\n", read},
      {"fake.XLSX", "Name,Sequence\nP1,ACGTACGT\n", read},
  };
  for (const auto& c : cases) {
    ImportOutcome outcome = importFile(folder.write(c.name, c.contents));
    ASSERT_TRUE(outcome.error) << c.name;
    EXPECT_FALSE(outcome.primers) << c.name;
    EXPECT_FALSE(outcome.settings) << c.name;
    EXPECT_EQ(c.error.ends_with(": ") ? outcome.error->substr(0, c.error.size()) : *outcome.error, c.error) << c.name;
  }
  ImportOutcome missing = importFile(folder / "missing.csv");
  ASSERT_TRUE(missing.error);
  EXPECT_EQ(missing.error->rfind(read + "No such file or directory", 0), 0u) << *missing.error;
}

TEST(ImportFileTest, NSubSettingsAreAppliedEvenWhenTheListIsRejected) {
  TempFolder folder;
  ImportOutcome empty = importFile(folder.write("empty.nsub", std::string("VERS\x01\x10", 6)));
  EXPECT_EQ(empty.error, "No primer data found in the file.");
  ASSERT_TRUE(empty.settings);
  EXPECT_EQ(empty.settings->defaultMismatches, 2);
  EXPECT_EQ(empty.settings->endMatches, 3);

  ImportOutcome implausible = importFile(folder.write("short.nsub", nsubFile({PrimerEntry(true, "P", "ACGT", "")}, 7, 9)));
  EXPECT_EQ(implausible.error, ImportError::noValidSequence().message);
  ASSERT_TRUE(implausible.settings);
  EXPECT_EQ(implausible.settings->defaultMismatches, 7);
  EXPECT_EQ(implausible.settings->endMatches, 9);
}

// Text held in memory meets the same readers and checks as a file.
TEST(ImportFileTest, BytesInMemoryImportAsAFileOfTheirKind) {
  ImportOutcome pasted = importBytes(asBytes("Name\tSequence\nP1\tACGTACGT\n"), "tsv", "");
  ASSERT_TRUE(pasted.succeeded()) << pasted.error.value_or("");
  EXPECT_EQ((*pasted.primers)[0].name, "P1");
  EXPECT_TRUE(pasted.fileBaseName.empty());
  EXPECT_EQ(importBytes(asBytes("Name,Sequence\n"), "csv", "").error, "No primer data found in the file.");
}

TEST(ReadUnconvertedTest, GivesWhatTheReaderProduced) {
  TempFolder folder;
  auto text = readUnconverted(folder.write("cells.tsv", "Name\tSequence\n\n  P1 \tAC-GT\n"));
  ASSERT_TRUE(text) << text.error();
  EXPECT_EQ(testing::dense(std::get<CellsRead>(*text).rows), (Rows{{"Name", "Sequence"}, {"P1", "AC-GT"}}));

  // A primer file's primers and settings as they stand, implausible or not.
  auto nsub = readUnconverted(
      folder.write("list.nsub", nsubFile({PrimerEntry(true, "P1", "ACGT", "c"), PrimerEntry(false, "", "", "")}, 7, 9)));
  ASSERT_TRUE(nsub) << nsub.error();
  const auto& primers = std::get<PrimersRead>(*nsub);
  EXPECT_EQ(primers.primers.size(), 2u);
  EXPECT_EQ(primers.settings->defaultMismatches, 7);

  auto broken = readUnconverted(folder.write("broken.nsub", "VERX\x01\x10"));
  ASSERT_FALSE(broken);
  EXPECT_EQ(broken.error(), "Failed to read file: The file does not have a valid .nsub header.");
}

}  // namespace
}  // namespace tamsel

namespace tamsel {
namespace {

// A text of `count` primers above the size from which its primers are made
// on a second thread, with quoted cells (copied, "" made one quote) among
// cells viewed where they stand.
std::string largeText(int count, const std::string& tail = "") {
  std::string text = "Name,Sequence,Comment\n";
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(i);
    text.append("P").append(number).append(",ACGTTGCAAGG").append(1, "ACGT"[i % 4]).append("CTTA,");
    if (i % 5 == 0) {
      text.append("\"say \"\"").append(number).append("\"\", twice\"\n");
    } else {
      text.append("plain ").append(number).append("\n");
    }
  }
  return text + tail;
}

TEST(ImportFileTest, ALargeTextGivesWhatItsWholeTableGives) {
  for (const std::string& text : {largeText(40000), largeText(40000, "Late,ACGTACGTAA,wider,row\n"),
                                  largeText(40000, "\xE9t\xE9,ACGTACGTAA,Windows-1252\n")}) {
    ASSERT_GT(text.size(), std::size_t{1} << 20);
    const ImportOutcome streamed = importBytes(asBytes(text), "csv", "list");
    ASSERT_TRUE(streamed.succeeded()) << streamed.error.value_or("");
    auto whole = readUnconverted(asBytes(text), "csv");
    ASSERT_TRUE(whole);
    const auto* cells = std::get_if<CellsRead>(&*whole);
    ASSERT_NE(cells, nullptr);
    auto converted = convertRows(cells->rows, cells->headerTest);
    ASSERT_TRUE(converted);
    EXPECT_EQ(fieldsOf(*streamed.primers), fieldsOf(converted->primers));
    EXPECT_EQ(describeLayoutInDetail(*streamed.layout), describeLayoutInDetail(converted->layout));
  }
}

}  // namespace
}  // namespace tamsel
