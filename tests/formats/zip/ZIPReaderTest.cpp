#include "formats/zip/ZIPReader.h"

#include <gtest/gtest.h>

#include "formats/zip/RawInflate.h"
#include "formats/zip/ZIPReaderTestArchive.h"

namespace tamsel::zip {
namespace {

using zipfixture::member;
using zipfixture::TestArchive;
using zipfixture::TestMember;

std::string text(const Bytes& bytes) { return std::string(asText(bytes)); }

using Texts = std::map<std::string, std::string>;

// Every name of the directory with what the reader gives for it.
Texts readAll(const Bytes& archive, std::int64_t memberLimit = ZIPReader::kMaxMemberSize) {
  const ZIPReader zip(archive, memberLimit);
  Texts texts;
  const auto directory = zip.readCentralDirectory();
  if (!directory) return texts;
  for (const ZIPReader::Entry& entry : *directory) {
    if (auto contents = zip.extractMember(*directory, entry.filename)) texts[entry.filename] = text(*contents);
  }
  return texts;
}

// The same names read in pieces of `size` bytes; a stream found damaged
// part way counts as the member left out, and an earlier one of its name is
// not looked for (the caller reads the archive whole then).
Texts streamAll(const Bytes& archive, std::size_t size, std::int64_t memberLimit = ZIPReader::kMaxMemberSize) {
  const ZIPReader zip(archive, memberLimit);
  Texts texts;
  const auto directory = zip.readCentralDirectory();
  if (!directory) return texts;
  for (const ZIPReader::Entry& entry : *directory) {
    auto stream = zip.openMember(*directory, entry.filename);
    if (!stream) continue;
    std::string contents;
    std::uint8_t piece[64];
    while (std::size_t n = stream->read(piece, std::min(size, sizeof piece))) contents.append(piece, piece + n);
    if (!stream->failed()) texts[entry.filename] = contents;
  }
  return texts;
}

void expectSameInPieces(const Bytes& archive, std::int64_t memberLimit = ZIPReader::kMaxMemberSize) {
  const Texts whole = readAll(archive, memberLimit);
  for (std::size_t size : {1, 7, 64}) EXPECT_EQ(streamAll(archive, size, memberLimit), whole) << size;
}

TEST(ZIPReaderTest, ReadsStoredDeflatedAndDescribedMembers) {
  TestArchive archive{{member("a.txt", "stored text", 0), member("b.xml", "<deflated>text</deflated>"),
                       member("c.xml", "after a data descriptor")}};
  archive.members[2].dataDescriptor = true;
  const Bytes bytes = archive.build();

  const auto directory = ZIPReader(bytes).readCentralDirectory();
  ASSERT_TRUE(directory);
  ASSERT_EQ(directory->size(), 3u);
  EXPECT_EQ((*directory)[1].filename, "b.xml");
  EXPECT_EQ((*directory)[1].compressionMethod, 8);
  EXPECT_EQ((*directory)[1].uncompressedSize, 25);
  EXPECT_EQ(readAll(bytes), (Texts{{"a.txt", "stored text"}, {"b.xml", "<deflated>text</deflated>"},
                                   {"c.xml", "after a data descriptor"}}));
  expectSameInPieces(bytes);
}

TEST(ZIPReaderTest, FindsTheEndRecordWithinTheCommentWindow) {
  TestArchive archive{{member("a", "x", 0)}};
  archive.comment = std::string(65535, 'c');
  Bytes bytes = archive.build();
  EXPECT_EQ(readAll(bytes).size(), 1u);

  bytes.push_back('!');  // one byte more than a comment can hold
  EXPECT_FALSE(ZIPReader(bytes).readCentralDirectory());
  EXPECT_TRUE(readAll(bytes).empty());

  // A record-like signature in the comment, closest to the end, is the one taken.
  archive.comment = std::string("PK\x05\x06", 4) + std::string(18, '\0') + "tail";
  EXPECT_EQ(ZIPReader(archive.build()).readCentralDirectory()->size(), 0u);

  for (const Bytes& tiny : {Bytes{}, Bytes(21, 0), Bytes{'P', 'K', 5, 6}}) {
    EXPECT_FALSE(ZIPReader(tiny).readCentralDirectory());
  }
}

TEST(ZIPReaderTest, ADamagedDirectoryKeepsTheRecordsBeforeTheDamage) {
  TestArchive archive{{member("first", "1"), member("second", "2")}};
  archive.announcedCount = 5;
  EXPECT_EQ(readAll(archive.build()).size(), 2u);

  archive.announcedCount = 0;
  EXPECT_EQ(ZIPReader(archive.build()).readCentralDirectory()->size(), 0u);

  // A name that runs past the end of the buffer ends the walk.
  archive.announcedCount.reset();
  Bytes bytes = archive.build();
  const std::size_t secondRecord = bytes.size() - 22 - (46 + 6);
  bytes[secondRecord + 28] = 0xFF;
  EXPECT_EQ(ZIPReader(bytes).readCentralDirectory()->size(), 1u);
}

TEST(ZIPReaderTest, NamesAreUTF8WithForwardSlashes) {
  TestArchive archive{{member("xl\\worksheets\\sheet1.xml", "sheet"), member("bad\xFF", "first"),
                       member("\xC0\xAF", "second"), member("\xCE\xB1.txt", "alpha")}};
  EXPECT_EQ(readAll(archive.build()),
            (Texts{{"xl/worksheets/sheet1.xml", "sheet"}, {"", "second"}, {"\xCE\xB1.txt", "alpha"}}));
}

TEST(ZIPReaderTest, MembersThatCannotBeReadAreLeftOut) {
  TestArchive archive{{member("before", "b"), member("shrunk", "<0123456789>"), member("method12", "x", 12),
                       member("empty", "declared empty"), member("same", "earlier"), member("same", "later", 0),
                       member("after", "a", 0), member("dup", "readable"), member("dup", "x", 14)}};
  archive.members[1].declaredSize = 4;
  archive.members[3].declaredSize = 0;
  archive.members[5].localName = "a much longer local name";
  archive.members[5].localExtra = "extra";
  EXPECT_EQ(readAll(archive.build()),
            (Texts{{"before", "b"}, {"shrunk", "<012"}, {"empty", ""}, {"same", "later"}, {"after", "a"},
                   {"dup", "readable"}}));
  expectSameInPieces(archive.build());

  // Data past the end of the buffer, and bytes that are not DEFLATE.
  TestMember garbage = member("garbage", "");
  garbage.rawBytes = Bytes{0xFF, 0xFF, 0xFF, 0xFF};
  garbage.declaredSize = 100;
  Bytes bytes = TestArchive{{garbage, member("cut", "cut short", 0)}}.build();
  expectSameInPieces(bytes);
  const auto directory = ZIPReader(bytes).readCentralDirectory();
  ASSERT_EQ(directory->size(), 2u);
  ZIPReader::Entry pastEnd = (*directory)[1];
  pastEnd.compressedSize = static_cast<std::int64_t>(bytes.size());
  EXPECT_FALSE(ZIPReader(bytes).extract(pastEnd));
  pastEnd.localHeaderOffset = static_cast<std::int64_t>(bytes.size()) - 10;
  EXPECT_FALSE(ZIPReader(bytes).extract(pastEnd));
  EXPECT_FALSE(ZIPReader(bytes).extract((*directory)[0]));
  EXPECT_EQ(ZIPReader(bytes).extractMember(*directory, "absent").error(), ZIPReader::ExtractError::missing);
}

TEST(ZIPReaderTest, SizeClaimsAreBoundedByTheCompressedBytes) {
  // Zeros compress close to DEFLATE's densest ratio; all of them must come back.
  const Bytes zeros(8 << 20, 0);
  TestMember dense = member("zeros", "");
  dense.contents = zeros;
  TestMember claim4GB = member("claims 4 GB", "only this");
  claim4GB.declaredSize = 0xFFFFFFFF;
  const Bytes bytes = TestArchive{{dense, claim4GB}}.build();

  const Texts all = readAll(bytes);
  EXPECT_EQ(all.at("zeros"), text(zeros));
  EXPECT_EQ(all.at("claims 4 GB"), "only this");
  EXPECT_EQ(streamAll(bytes, 64), all);
  EXPECT_LT(maxInflatedSize(zipfixture::rawDeflate(zeros).size()), std::uint64_t{16} << 20);
}

TEST(ZIPReaderTest, MembersBeyondTheLimitAreReportedAsTooLarge) {
  const Bytes bytes = TestArchive{{member("big", std::string(1000, 'a')), member("stored", std::string(1000, 's'), 0),
                                   member("small", std::string(100, 'b'))}}
                          .build();
  const ZIPReader zip(bytes, 500);
  const auto directory = zip.readCentralDirectory();
  for (const std::string name : {"big", "stored"}) {
    auto result = zip.extractMember(*directory, name);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error(), ZIPReader::ExtractError::tooLarge);
  }
  EXPECT_TRUE(zip.extractMember(*directory, "small"));
  EXPECT_EQ(readAll(bytes, 500).size(), 1u);
  expectSameInPieces(bytes, 500);
}

}  // namespace
}  // namespace tamsel::zip
