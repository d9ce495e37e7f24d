// Exports that cannot be written must leave the previous file as it was, leave
// no temporary file behind, and say why after "Failed to export: ".

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/ExportPrimers.h"
#include "app/FileIO.h"
#include "app/detail/FileIOTesting.h"
#include "app/TempFolder.h"

namespace tamsel::hostile {
namespace {

using tamsel::testing::readFile;
using tamsel::testing::TempFolder;

constexpr const char* kFormats[] = {"list.nsub", "list.xlsx", "list.csv", "list.tsv"};
constexpr const char* kPrevious = "previous export";

PrimerList somePrimers() { return {PrimerEntry(true, "P1", "ACGTACGT", "fwd"), PrimerEntry(false, "P2", "GGCC", "")}; }

std::size_t entriesIn(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

int failingErrno = 0;
ssize_t failWithErrno(int, const void*, std::size_t) {
  errno = failingErrno;
  return -1;
}

// Write errors a full disk, a quota, a read-only remount or a failing device give.
TEST(ExportSafetyTest, EveryWriteErrorKeepsThePreviousFile) {
  TempFolder folder;
  for (int error : {ENOSPC, EDQUOT, EROFS, EIO, EFBIG}) {
    for (const char* name : kFormats) {
      const auto file = folder.write(name, kPrevious);
      failingErrno = error;
      setWriteCallForTesting(failWithErrno);
      const std::optional<std::string> failure = exportPrimers(file, somePrimers(), 2, 3);
      setWriteCallForTesting(nullptr);
      ASSERT_TRUE(failure) << name;
      EXPECT_EQ(*failure, "Failed to export: " + std::string(std::strerror(error)) + " (" + file.string() + ")");
      EXPECT_EQ(readFile(file), kPrevious) << name;
    }
    EXPECT_EQ(entriesIn(folder.path()), std::size(kFormats)) << "a temporary file was left behind";
  }
}

// Exports every format into a read-only folder; 0 when each failed with a
// permission reason and kept the previous file.
int exportIntoReadOnlyFolder(const TempFolder& folder) {
  for (const char* name : kFormats) {
    const std::optional<std::string> failure = exportPrimers(folder / name, somePrimers(), 2, 3);
    if (!failure) return 1;
    if (failure->rfind("Failed to export: Permission denied", 0) != 0) return 2;
    if (readFile(folder / name) != kPrevious) return 3;
  }
  return 0;
}

TEST(ExportSafetyTest, AReadOnlyFolderKeepsThePreviousFile) {
  TempFolder folder;
  for (const char* name : kFormats) folder.write(name, kPrevious);
  ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
  int result = 0;
  if (::geteuid() != 0) {
    result = exportIntoReadOnlyFolder(folder);
  } else {
    // Folder permissions do not bind root: export as an unprivileged user.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(77);
      ::_exit(exportIntoReadOnlyFolder(folder));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    result = WEXITSTATUS(status);
  }
  ::chmod(folder.path().c_str(), 0700);
  if (result == 77) GTEST_SKIP() << "cannot drop root privileges here; the write-error test covers the failure";
  EXPECT_EQ(result, 0) << "1: an export succeeded, 2: the reason names no permission, 3: a file changed";
  EXPECT_EQ(entriesIn(folder.path()), std::size(kFormats));
}

TEST(ExportSafetyTest, AVanishedFolderFailsWithItsReason) {
  TempFolder folder;
  const auto gone = folder / "gone";
  std::filesystem::create_directory(gone);
  const auto file = gone / "list.xlsx";
  std::filesystem::remove(gone);
  const std::optional<std::string> failure = exportPrimers(file, somePrimers(), 2, 3);
  ASSERT_TRUE(failure);
  EXPECT_EQ(*failure, "Failed to export: No such file or directory (" + file.string() + ")");
  EXPECT_FALSE(std::filesystem::exists(gone));
}

}  // namespace
}  // namespace tamsel::hostile
