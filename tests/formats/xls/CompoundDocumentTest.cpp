// The compound document container: header checks, chains, the mini stream,
// and the bounds that keep hostile files finite.

#include "formats/xls/CompoundDocument.h"

#include <gtest/gtest.h>

#include "XLSTestBuilders.h"

namespace tamsel {
namespace {

using testing::CompoundFileBuilder;
using testing::set32;

Bytes pattern(std::size_t size, std::uint8_t seed) {
  Bytes out(size);
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(seed + i * 7);
  return out;
}

std::string openError(const Bytes& file) {
  auto document = CompoundDocument::open(file);
  return document ? std::string() : document.error().message;
}

TEST(CompoundDocumentTest, HeaderChecks) {
  Bytes file = CompoundFileBuilder().stream("Workbook", pattern(100, 1)).bytes();
  EXPECT_EQ(openError(Bytes(file.begin(), file.begin() + 511)), "File is too small to be an XLS file.");
  EXPECT_EQ(openError(Bytes(511, 0)), "File is too small to be an XLS file.");
  EXPECT_EQ(openError(Bytes(512, 0)), "Not a valid XLS/OLE2 file.");

  auto error = CompoundDocument::open(Bytes(512, 0)).error();
  EXPECT_EQ(error.domain, "XLSParser");
  EXPECT_EQ(error.code, 1);

  // Sector shifts outside 7..16 would overflow offsets or leave no room for
  // a sector's own next pointer.
  for (std::uint8_t shift : {0, 1, 6, 17, 63, 64, 255}) {
    Bytes bad = file;
    bad[30] = shift;
    EXPECT_EQ(openError(bad), "Not a valid XLS/OLE2 file.") << int(shift);
  }
}

TEST(CompoundDocumentTest, HeaderOnlyFileOpensEmpty) {
  Bytes file = CompoundFileBuilder().bytes();
  file.resize(512);
  auto document = CompoundDocument::open(file);
  ASSERT_TRUE(document.hasValue());
  EXPECT_TRUE(document->sat().empty());
  EXPECT_TRUE(document->directory().empty());
  EXPECT_FALSE(document->stream("Workbook").has_value());
}

TEST(CompoundDocumentTest, RegularAndMiniStreams) {
  Bytes big = pattern(5000, 3);
  Bytes small = pattern(300, 9);
  Bytes file = CompoundFileBuilder().stream("Workbook", big).stream("Small", small).bytes();
  auto document = CompoundDocument::open(file);
  ASSERT_TRUE(document.hasValue());
  EXPECT_EQ(document->stream("Workbook"), big);
  EXPECT_EQ(document->stream("Small"), small);
  // Names are compared exactly.
  EXPECT_FALSE(document->stream("WORKBOOK").has_value());
  EXPECT_FALSE(document->stream("Book").has_value());
}

TEST(CompoundDocumentTest, MiniStreamFollowsTheMiniFAT) {
  // Two small streams whose mini sectors are interleaved.
  Bytes first = pattern(128, 1);
  Bytes second = pattern(128, 100);
  auto layout = CompoundFileBuilder().stream("A", first).stream("B", second).build();
  // Mini sectors 0,1 belong to A and 2,3 to B; chain A as 0 -> 2 and B as 1 -> 3.
  const std::size_t miniFatSector = 2;  // after the FAT and the one mini-stream sector
  Bytes file = layout.file;
  std::size_t miniFat = 512 * (miniFatSector + 1);
  set32(file, miniFat + 0, 2);
  set32(file, miniFat + 8, 0xFFFFFFFE);
  set32(file, miniFat + 4, 3);
  set32(file, miniFat + 12, 0xFFFFFFFE);
  // Directory entry of B (index 2) now starts at mini sector 1.
  std::size_t entryB = 512 * (layout.directorySector + 1) + 128 * 2;
  set32(file, entryB + 116, 1);
  auto document = CompoundDocument::open(file);
  ASSERT_TRUE(document.hasValue());
  Bytes expectedA(first.begin(), first.begin() + 64);
  expectedA.insert(expectedA.end(), second.begin(), second.begin() + 64);
  Bytes expectedB(first.begin() + 64, first.end());
  expectedB.insert(expectedB.end(), second.begin() + 64, second.end());
  EXPECT_EQ(document->stream("A"), expectedA);
  EXPECT_EQ(document->stream("B"), expectedB);
}

TEST(CompoundDocumentTest, ShortChainsAndOddEntries) {
  Bytes data = pattern(5000, 5);
  auto layout = CompoundFileBuilder().stream("Workbook", data).stream("Workbook", pattern(6000, 1)).build();
  Bytes file = layout.file;
  std::int32_t start = layout.startSectors[0];
  // The chain ends after the second sector: the stream comes back shorter.
  set32(file, 512 + 4 * static_cast<std::size_t>(start + 1), 0xFFFFFFFE);
  auto document = CompoundDocument::open(file);
  ASSERT_TRUE(document.hasValue());
  EXPECT_EQ(document->stream("Workbook"), Bytes(data.begin(), data.begin() + 1024));

  // A size of 0 hides the stream, even though a later entry has the same name.
  std::size_t entry = 512 * (layout.directorySector + 1) + 128;
  set32(file, entry + 120, 0);
  EXPECT_FALSE(CompoundDocument::open(file)->stream("Workbook").has_value());

  // A negative start sector with a positive size is an empty stream.
  set32(file, entry + 120, 5000);
  set32(file, entry + 116, 0xFFFFFFFE);
  EXPECT_EQ(CompoundDocument::open(file)->stream("Workbook"), Bytes{});

  // Name lengths of 2 or less leave the entry out; over-long ones are
  // limited to the 64-byte name field.
  file[entry + 64] = 2;
  EXPECT_EQ(CompoundDocument::open(file)->directory().size(), 2u);
  file[entry + 64] = 200;
  EXPECT_EQ(CompoundDocument::open(file)->directory().size(), 3u);
}

TEST(CompoundDocumentTest, CyclicChainsEnd) {
  Bytes data = pattern(5000, 7);
  auto layout = CompoundFileBuilder().stream("Workbook", data).build();
  Bytes file = layout.file;
  std::int32_t start = layout.startSectors[0];
  // The stream's third sector points back to its first.
  set32(file, 512 + 4 * static_cast<std::size_t>(start + 2), static_cast<std::uint32_t>(start));
  // The directory points to itself.
  set32(file, 512 + 4 * static_cast<std::size_t>(layout.directorySector),
        static_cast<std::uint32_t>(layout.directorySector));
  // A DIFAT chain that loops on sector 0.
  set32(file, 68, 0);
  auto document = CompoundDocument::open(file);
  ASSERT_TRUE(document.hasValue());
  auto stream = document->stream("Workbook");
  ASSERT_TRUE(stream.has_value());
  EXPECT_EQ(*stream, Bytes(data.begin(), data.begin() + 1536));
}

TEST(CompoundDocumentTest, TablesAreBoundedByTheFile) {
  auto layout = CompoundFileBuilder().stream("Workbook", pattern(5000, 1)).build();
  Bytes file = layout.file;
  // Every header slot names a FAT sector far past the end of the file, and
  // the stream claims 4 GB.
  for (std::size_t slot = 1; slot < 109; ++slot) set32(file, 76 + 4 * slot, 0x7FFFFFF0);
  std::size_t entry = 512 * (layout.directorySector + 1) + 128;
  set32(file, entry + 120, 0xFFFFFFFF);
  auto document = CompoundDocument::open(file);
  ASSERT_TRUE(document.hasValue());
  EXPECT_LE(document->sat().size(), 128u);
  EXPECT_EQ(document->stream("Workbook")->size(), 5120u);
}

}  // namespace
}  // namespace tamsel
