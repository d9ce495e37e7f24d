#include "app/ExportPrimers.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TempFolder.h"
#include "app/ImportFile.h"
#include "formats/FormatRegistry.h"

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

// Text kinds first, then the workbooks and the primer formats.
TEST(ExportPrimersTest, TheOpenDialogListsTheKindsInTheirOrder) {
  std::vector<std::string_view> ids;
  for (const FileFormat* format : openDialogFormats()) ids.push_back(format->id);
  EXPECT_EQ(ids, (std::vector<std::string_view>{"csv", "tsv", "txt", "xls", "xlsx", "nsub", "fasta", "ods", "bed"}));
}

// With standard input closed, the temporary file gets descriptor 0, which is
// as good as any other.
TEST(ExportPrimersTest, WritesWhenDescriptorZeroIsFree) {
  TempFolder folder;
  const auto file = folder.write("a.csv", "old");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(0);
    if (exportPrimers(file, twoPrimers(), 2, 3)) ::_exit(1);
    ::_exit(::fcntl(0, F_GETFD) == -1 ? 0 : 2);  // and closed again
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(readFile(file).substr(0, 8), "Selected");
}

TEST(ExportPrimersTest, AListTheFormatCannotHoldWritesNothing) {
  TempFolder folder;
  const auto file = folder.write("kept.nsub", "good file");
  PrimerList primers = twoPrimers();
  PrimerEntry longComment = primers[1].entry();
  longComment.comment.assign(70000, 'c');
  primers.set(1, longComment);
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
