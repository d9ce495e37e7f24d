// Workbooks with several worksheets, and the primer formats read as text.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/ImportFile.h"

namespace tamsel {
namespace {

std::filesystem::path data(const std::string& name) { return std::filesystem::path(TAMSEL_TEST_DATA_DIR) / name; }

TEST(ImportSheetsTest, TheFirstWorksheetWithSequencesAndTheNamesForAChooser) {
  for (const char* extension : {"xlsx", "xls", "ods"}) {
    const ImportOutcome cover = importFile(data(std::string("sheets/cover_then_primers.") + extension));
    ASSERT_TRUE(cover.succeeded()) << extension << ": " << cover.error.value_or("");
    EXPECT_EQ(cover.sheetNames, (std::vector<std::string>{"Cover", "Primers", "Notes", "More primers"}));
    EXPECT_EQ(cover.sheetIndex, 1u) << extension;
    EXPECT_EQ(cover.primers->front().name, "Fwd-1");

    const ImportOutcome all =
        importFile(data(std::string("sheets/cover_then_primers.") + extension), SheetRequest::all());
    ASSERT_TRUE(all.succeeded());
    EXPECT_EQ(all.primers->size(), 3u);
    EXPECT_FALSE(all.sheetIndex);

    // A sheet without primers chosen by hand fails, and still names the sheets.
    const ImportOutcome notes = importFile(data(std::string("sheets/cover_then_primers.") + extension),
                                           SheetRequest::one(SheetChoice::byName("Notes")));
    EXPECT_FALSE(notes.succeeded());
    EXPECT_EQ(notes.sheetIndex, 2u);
    EXPECT_EQ(notes.sheetNames.size(), 4u);

    const ImportOutcome empty = importFile(data(std::string("sheets/empty_first_sheet.") + extension));
    ASSERT_TRUE(empty.succeeded()) << extension << ": " << empty.error.value_or("");
    EXPECT_EQ(empty.primers->size(), 2u);
  }
}

TEST(ImportSheetsTest, PrimerSchemesAndFASTA) {
  const ImportOutcome scheme = importFile(data("bed/scheme_with_sequences.bed"));
  ASSERT_TRUE(scheme.succeeded()) << scheme.error.value_or("");
  EXPECT_EQ(scheme.primers->size(), 6u);
  EXPECT_TRUE(scheme.sheetNames.empty());
  EXPECT_EQ(importFile(data("bed/scheme_positions_only.bed")).error.value_or(""),
            "No valid DNA sequence of at least 5 characters was found. This does not appear to be a valid primer "
            "file.");
  for (const char* file : {"fasta/primers.fasta", "fasta/primers_crlf.fa", "fasta/primers_saved_as.txt"}) {
    const ImportOutcome fasta = importFile(data(file));
    ASSERT_TRUE(fasta.succeeded()) << file << ": " << fasta.error.value_or("");
    EXPECT_EQ(fasta.primers->size(), 3u) << file;
  }
}

}  // namespace
}  // namespace tamsel
