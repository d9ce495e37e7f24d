// Every hostile file goes through the import exactly as the window sends it:
// it must end in its expected message or primers, allocate a bounded amount,
// and never show a byte of a file it names. CTest's timeout bounds its time.

#include <gtest/gtest.h>

#include <filesystem>

#include "AllocationTracker.h"
#include "HostileFiles.h"
#include "app/FileIO.h"
#include "app/ImportFile.h"
#include "app/TempFolder.h"

namespace tamsel::hostile {
namespace {

// Far below the 256 MB a whole import may take; the largest case needs a
// few tens of megabytes.
constexpr std::size_t kAllocationBound = std::size_t{96} << 20;

bool mentionsSecret(const ImportOutcome& outcome) {
  const auto has = [](std::string_view text) { return text.find(kSecretText) != std::string::npos; };
  if (outcome.error && has(*outcome.error)) return true;
  if (!outcome.primers) return false;
  for (const PrimerView& primer : *outcome.primers) {
    if (has(primer.name) || has(primer.sequence) || has(primer.comment)) return true;
  }
  return false;
}

class HostileImportTest : public ::testing::TestWithParam<HostileFile> {};

TEST_P(HostileImportTest, EndsInItsOutcomeWithBoundedAllocation) {
  const HostileFile& hostile = GetParam();
  tamsel::testing::TempFolder folder;
  folder.write(kSecretFileName, kSecretText);
  const auto path = folder.write(hostile.name, asText(hostile.make(folder.path().string())));

  std::size_t peak = 0;
  ImportOutcome outcome;
  {
    AllocationScope scope(std::size_t{1} << 30);
    outcome = importFile(path);
    peak = scope.peakBytes();
  }
  RecordProperty("peak_allocation_bytes", std::to_string(peak));
  EXPECT_LT(peak, kAllocationBound) << "bytes live at once during the import";
  EXPECT_FALSE(mentionsSecret(outcome));
  if (hostile.message) {
    EXPECT_EQ(outcome.error.value_or("(the import succeeded)"), *hostile.message);
  } else {
    ASSERT_TRUE(outcome.succeeded()) << *outcome.error;
    EXPECT_EQ(outcome.primers->size(), hostile.primerCount);
    for (std::size_t i = 0; i < hostile.names.size() && i < outcome.primers->size(); ++i) {
      EXPECT_EQ((*outcome.primers)[i].name, hostile.names[i]);
    }
  }
}

// A sparse file just over the limit costs no disk space and must cost no
// reading either.
TEST(HostileImportSizeTest, AFileOverTheSizeLimitIsRefusedUnread) {
  tamsel::testing::TempFolder folder;
  const auto path = folder / "huge.csv";
  folder.write("huge.csv", "");
  std::filesystem::resize_file(path, kMaxInputFileBytes + 1);
  AllocationScope scope(std::size_t{64} << 20);
  const ImportOutcome outcome = importFile(path);
  EXPECT_EQ(outcome.error.value_or(""),
            "Failed to read file: The file is larger than 1024 MiB, the most Tamsel reads (" + path.string() + ")");
  EXPECT_LT(scope.peakBytes(), std::size_t{1} << 20);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileImportTest, ::testing::ValuesIn(hostileFiles()),
                         [](const ::testing::TestParamInfo<HostileFile>& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace tamsel::hostile
