#include "app/FileIO.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>
#include <utility>

#include "TempFolder.h"
#include "app/FileNames.h"
#include "app/detail/FileIOTesting.h"

namespace tamsel {
namespace {

using testing::readFile;
using testing::TempFolder;

TEST(FileNamesTest, ExtensionAndBaseNameComeFromTheLastComponent) {
  EXPECT_EQ(lowercasedExtension("/x/My Primers.CSV"), "csv");
  EXPECT_EQ(lowercasedExtension("/x.y/README"), "");
  EXPECT_EQ(lowercasedExtension("Set 3.final.XlsX"), "xlsx");
  EXPECT_EQ(baseName("/some/folder/Primer Set 3.xlsx"), "Primer Set 3");
  EXPECT_EQ(baseName("Set 3.final.xlsx"), "Set 3.final");
  EXPECT_EQ(baseName("/x.y/README"), "README");
  EXPECT_EQ(withExtension("/a/b.c.csv", "nsub"), std::filesystem::path("/a/b.c.nsub"));
  EXPECT_EQ(withExtension("plain", "tsv"), std::filesystem::path("plain.tsv"));
}

TEST(ReadWholeFileTest, ReadsRegularFilesAndRefusesEverythingElse) {
  TempFolder folder;
  const auto file = folder.write("a.csv", std::string("x\0y", 3));
  auto bytes = readWholeFile(file);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(testing::asString(*bytes), std::string("x\0y", 3));

  auto missing = readWholeFile(folder / "missing.csv");
  ASSERT_FALSE(missing);
  EXPECT_NE(missing.error().find("No such file or directory"), std::string::npos) << missing.error();
  EXPECT_NE(missing.error().find("missing.csv"), std::string::npos) << missing.error();

  EXPECT_FALSE(readWholeFile(folder.path()));

  // A pipe without a writer would block a plain open; it is refused at once.
  ASSERT_EQ(::mkfifo((folder / "pipe.csv").c_str(), 0600), 0);
  auto pipe = readWholeFile(folder / "pipe.csv");
  ASSERT_FALSE(pipe);
  EXPECT_NE(pipe.error().find("Not a regular file"), std::string::npos) << pipe.error();
}

TEST(ReadWholeFileTest, RefusesFilesOverTheLimit) {
  TempFolder folder;
  const auto file = folder.write("big.csv", std::string(3u << 20, 'a'));
  EXPECT_TRUE(readWholeFile(file, 3u << 20));
  auto tooLarge = readWholeFile(file, 2u << 20);
  ASSERT_FALSE(tooLarge);
  EXPECT_NE(tooLarge.error().find("larger than 2 MiB"), std::string::npos) << tooLarge.error();
}

// Standard input replaced by the read end of a pipe that a thread fills with
// `size` bytes, as a shell pipeline would; restored at the end.
class PipedStandardInput {
 public:
  explicit PipedStandardInput(std::size_t size) : saved_(::dup(STDIN_FILENO)) {
    int ends[2];
    EXPECT_EQ(::pipe(ends), 0);
    ::dup2(ends[0], STDIN_FILENO);
    ::close(ends[0]);
    writer_ = std::thread([fd = ends[1], size] {
      const std::string chunk(4096, 'a');
      // Stops at the first failed write: the reader has given up and closed.
      for (std::size_t sent = 0; sent < size;) {
        const ssize_t count = ::write(fd, chunk.data(), std::min(chunk.size(), size - sent));
        if (count <= 0) break;
        sent += static_cast<std::size_t>(count);
      }
      ::close(fd);
    });
  }
  ~PipedStandardInput() {
    ::dup2(saved_, STDIN_FILENO);  // closes the read end, so a blocked writer ends
    ::close(saved_);
    writer_.join();
  }

 private:
  int saved_;
  std::thread writer_;
};

TEST(ReadStandardInputTest, ReadsAPipeToItsEndWithinTheLimit) {
  ::signal(SIGPIPE, SIG_IGN);
  for (std::size_t size : {std::size_t{0}, std::size_t{100000}, std::size_t{2u << 20}}) {
    PipedStandardInput input(size);
    auto bytes = readStandardInput(2u << 20);
    ASSERT_TRUE(bytes) << bytes.error();
    EXPECT_EQ(bytes->size(), size);
  }
  PipedStandardInput input((2u << 20) + 1);
  auto tooLarge = readStandardInput(2u << 20);
  ASSERT_FALSE(tooLarge);
  EXPECT_EQ(tooLarge.error(), "The standard input is larger than 2 MiB, the most Tamsel reads (standard input)");
}

TEST(WriteFileAtomicallyTest, ReplacesTheFileAndKeepsItsPermissions) {
  TempFolder folder;
  const auto file = folder.write("out.csv", "old contents that are longer");
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  EXPECT_EQ(writeFileAtomically(file, asBytes("new")), std::nullopt);
  EXPECT_EQ(readFile(file), "new");
  struct stat status {};
  ASSERT_EQ(::stat(file.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  // Nothing but the destination is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// Every write error of every export format is tried where the exports are
// hardened; here the first bytes are written before the disk fills.
ssize_t writeOneByteThenFail(int fd, const void* data, std::size_t) {
  static bool wrote = false;
  if (std::exchange(wrote, true)) return errno = ENOSPC, -1;
  return ::write(fd, data, 1);
}

TEST(WriteFileAtomicallyTest, AFailedWriteLeavesThePreviousFileIntact) {
  TempFolder folder;
  const auto file = folder.write("out.nsub", "good file");
  setWriteCallForTesting(writeOneByteThenFail);
  std::optional<std::string> failure = writeFileAtomically(file, asBytes("replacement"));
  setWriteCallForTesting(nullptr);
  ASSERT_TRUE(failure);
  EXPECT_NE(failure->find("No space left on device"), std::string::npos) << *failure;
  EXPECT_EQ(readFile(file), "good file");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// Cancelling while the contents are written, or a writer that refuses the
// list part way, keeps the previous file and leaves no temporary file.
TEST(WriteFileAtomicallyTest, ACancelledOrRefusedWriteLeavesThePreviousFileIntact) {
  TempFolder folder;
  const auto file = folder.write("out.csv", "good file");
  std::atomic<bool> cancelled{false};
  const auto cancelMidway = [&](ByteSink& out) {
    out.write(std::string(3u << 20, 'a'));
    cancelled = true;
    out.write(std::string(3u << 20, 'b'));
    return std::optional<std::string>();
  };
  EXPECT_EQ(writeFileAtomically(file, cancelMidway, &cancelled), std::nullopt);
  const auto refuseMidway = [](ByteSink& out) {
    out.write(std::string(3u << 20, 'a'));
    return std::optional<std::string>("too large");
  };
  EXPECT_EQ(writeFileAtomically(file, refuseMidway), "too large");
  EXPECT_EQ(readFile(file), "good file");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// The destination is a folder: the rename fails and the folder stays. (A
// vanished folder is tried with the exports.)
TEST(WriteFileAtomicallyTest, AFolderInTheWayFailsCleanly) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "taken.csv");
  EXPECT_TRUE(writeFileAtomically(folder / "taken.csv", asBytes("x")));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.csv"));
}

}  // namespace
}  // namespace tamsel
