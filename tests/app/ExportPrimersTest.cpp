#include "app/ExportPrimers.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/ImportFile.h"

namespace tamsel {
namespace {

using testing::readFile;
using testing::TempFolder;

PrimerList twoPrimers() { return {PrimerEntry(true, "P1", "ACGTACGT", "fwd"), PrimerEntry(false, "P2", "", "")}; }

TEST(ExportPrimersTest, TheDestinationsExtensionChoosesTheWriter) {
  TempFolder folder;
  const std::pair<const char*, std::string> starts[] = {
      {"a.csv", "Selected,Name,Sequence,Comment\n1,P1"}, {"a.TSV", "Selected\tName\tSequence\tComment\n1\tP1"},
      {"a.xlsx", "PK\x03\x04"}, {"a.nsub", "VERS"}, {"a.primers", "VERS"}};
  for (const auto& [name, start] : starts) {
    EXPECT_EQ(exportPrimers(folder / name, twoPrimers(), 0, 10), std::nullopt) << name;
    EXPECT_EQ(readFile(folder / name).substr(0, start.size()), start) << name;
  }
  // An .nsub export reads back with its settings.
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
  for (auto [list, mismatches] : {std::pair{primers, 2}, std::pair{twoPrimers(), 256}}) {
    std::optional<std::string> failure = exportPrimers(file, list, mismatches, 3);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->rfind("Failed to export: ", 0), 0u) << *failure;
    EXPECT_EQ(readFile(file), "good file");
  }
  // The same list fits a text format.
  EXPECT_EQ(exportPrimers(folder / "fits.csv", primers, 2, 3), std::nullopt);
}

}  // namespace
}  // namespace tamsel
