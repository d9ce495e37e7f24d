// The compound document container: header checks, the mini stream, and the
// bounds that keep hostile files finite.

#include "formats/xls/CompoundDocument.h"
#include "formats/xls/CompoundDocumentTables.h"
#include "formats/xls/XLSParser.h"

#include <gtest/gtest.h>

#include "XLSTestBuilders.h"

namespace tamsel::xls {
namespace {

using testing::CompoundFileBuilder;

Bytes pattern(std::size_t size, int seed) {
  Bytes out(size);
  for (std::size_t i = 0; i < size; ++i) out[i] = std::uint8_t(seed + i * 7);
  return out;
}

std::string openError(const Bytes& file) {
  auto document = CompoundDocument::open(file);
  return document ? "" : document.error().message;
}

// Sector n begins at 512 + 512n; its FAT entry lies at 512 + 4n.
std::size_t fatEntry(std::int32_t sector) { return 512 + 4 * std::size_t(sector); }
std::size_t sectorOffset(std::int32_t sector) { return 512 * (std::size_t(sector) + 1); }

TEST(CompoundDocumentTest, HeaderChecks) {
  Bytes file = CompoundFileBuilder().stream("Workbook", pattern(100, 1)).build().file;
  EXPECT_EQ(openError(Bytes(file.begin(), file.begin() + 511)), "File is too small to be an XLS file.");
  EXPECT_EQ(openError(Bytes(512, 0)), "Not a valid XLS/OLE2 file.");
  // Sector shifts outside 7..16 overflow offsets or leave no room for a next pointer.
  for (std::uint8_t shift : {0, 6, 17, 64, 255}) {
    Bytes bad = file;
    bad[30] = shift;
    EXPECT_EQ(openError(bad), "Not a valid XLS/OLE2 file.") << int(shift);
  }
  // Callers see the workbook reader's own error domain.
  const auto parsed = XLSParser::parse(Bytes(512, 0));
  ASSERT_FALSE(parsed);
  EXPECT_EQ(parsed.error().domain, "XLSParser");
  EXPECT_EQ(parsed.error().code, 1);
  file.resize(512);  // the header alone opens, empty
  auto document = CompoundDocument::open(file);
  ASSERT_TRUE(document.hasValue());
  EXPECT_TRUE(CompoundDocumentTables::sat(*document).empty());
  EXPECT_TRUE(CompoundDocumentTables::directory(*document).empty());
}

TEST(CompoundDocumentTest, MiniStreamFollowsTheMiniFAT) {
  Bytes a = pattern(128, 1), b = pattern(128, 100);
  auto layout = CompoundFileBuilder().stream("A", a).stream("B", b).build();
  // A holds mini sectors 0,1 and B 2,3; chain them crosswise: A 0 -> 2, B 1 -> 3.
  std::size_t miniFat = sectorOffset(layout.miniFatSector);
  le::storeU32(layout.file, miniFat + 0, 2);
  le::storeU32(layout.file, miniFat + 4, 3);
  le::storeU32(layout.file, miniFat + 8, 0xFFFFFFFE);
  le::storeU32(layout.file, sectorOffset(layout.directorySector) + 2 * 128 + 116, 1);
  auto document = CompoundDocument::open(layout.file);
  ASSERT_TRUE(document.hasValue());
  EXPECT_EQ(document->stream("A"), testing::cat(Bytes(a.begin(), a.begin() + 64), Bytes(b.begin(), b.begin() + 64)));
  EXPECT_EQ(document->stream("B"), testing::cat(Bytes(a.begin() + 64, a.end()), Bytes(b.begin() + 64, b.end())));
  EXPECT_FALSE(document->stream("a").has_value());  // names are compared exactly
}

TEST(CompoundDocumentTest, ShortChainsAndOddEntries) {
  Bytes data = pattern(5000, 5);
  auto layout = CompoundFileBuilder().stream("Workbook", data).stream("Workbook", pattern(6000, 1)).build();
  Bytes& file = layout.file;
  le::storeU32(file, fatEntry(layout.starts[0] + 1), 0xFFFFFFFE);
  EXPECT_EQ(CompoundDocument::open(file)->stream("Workbook"), Bytes(data.begin(), data.begin() + 1024));

  std::size_t entry = sectorOffset(layout.directorySector) + 128;
  le::storeU32(file, entry + 120, 0);  // size 0 hides the stream, though a later entry has the name
  EXPECT_FALSE(CompoundDocument::open(file)->stream("Workbook").has_value());
  le::storeU32(file, entry + 120, 5000);
  le::storeU32(file, entry + 116, 0xFFFFFFFE);  // no sectors: an empty stream
  EXPECT_EQ(CompoundDocument::open(file)->stream("Workbook"), Bytes{});
  file[entry + 64] = 2;  // too short a name: left out
  EXPECT_EQ(CompoundDocumentTables::directory(*CompoundDocument::open(file)).size(), 2u);
  file[entry + 64] = 200;  // too long: cut to the 64-byte field
  EXPECT_EQ(CompoundDocumentTables::directory(*CompoundDocument::open(file)).size(), 3u);
}

TEST(CompoundDocumentTest, HostileChainsAndTablesEnd) {
  Bytes data = pattern(5000, 7);
  auto layout = CompoundFileBuilder().stream("Workbook", data).build();
  Bytes& file = layout.file;
  le::storeU32(file, fatEntry(layout.starts[0] + 2), std::uint32_t(layout.starts[0]));  // the stream loops
  le::storeU32(file, fatEntry(layout.directorySector), std::uint32_t(layout.directorySector));
  le::storeU32(file, 68, 0);  // a DIFAT chain looping on sector 0
  for (std::size_t slot = 1; slot < 109; ++slot) le::storeU32(file, 76 + 4 * slot, 0x7FFFFFF0);
  le::storeU32(file, sectorOffset(layout.directorySector) + 128 + 120, 0xFFFFFFFF);  // a 4 GB claim
  auto document = CompoundDocument::open(file);
  ASSERT_TRUE(document.hasValue());
  EXPECT_LE(CompoundDocumentTables::sat(*document).size(), 128u);  // as many entries as the file has sectors, rounded up
  EXPECT_EQ(document->stream("Workbook"), Bytes(data.begin(), data.begin() + 1536));
}

}  // namespace
}  // namespace tamsel::xls
