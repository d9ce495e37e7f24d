#include "formats/zip/ZIPWriter.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/zip/ZIPReader.h"
#include "model/LittleEndian.h"

namespace tamsel::zip {
namespace {

using le::u16;
using le::u32;

// The checksum as the ZIP format defines it, one bit at a time.
std::uint32_t bitwiseCRC32(ByteView bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
  }
  return ~crc;
}

struct Member {
  std::string_view name;
  ByteView contents;
};

Bytes archiveOf(std::span<const Member> members) {
  MemorySink out;
  ZIPWriter writer(out);
  for (const Member& member : members) writer.addMember(member.name, member.contents);
  std::move(writer).finish();
  return std::move(out).bytes();
}

TEST(ZIPWriterTest, CRC32MatchesTheBitwiseDefinition) {
  EXPECT_EQ(ZIPWriter::crc32({}), 0u);
  EXPECT_EQ(ZIPWriter::crc32(asBytes("123456789")), 0xCBF43926u);
  std::mt19937 random(7);
  for (std::size_t size : {1, 3, 64, 1000, 4099}) {
    Bytes bytes(size);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    EXPECT_EQ(ZIPWriter::crc32(bytes), bitwiseCRC32(bytes)) << size;
  }
}

TEST(ZIPWriterTest, NoneOrOneMemberLaysOutEveryField) {
  EXPECT_EQ(archiveOf({}), (Bytes{0x50, 0x4B, 0x05, 0x06, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  const Bytes contents = {'x', 'y', 'z'};
  const Member members[] = {{"a", contents}};
  const Bytes archive = archiveOf(members);
  Bytes expected = {
      // Local file header (the checksum at 14), name, contents.
      0x50, 0x4B, 0x03, 0x04, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0,  //
      'a', 'x', 'y', 'z',                                                                                  //
      // Central directory record at 34 (the checksum at 50).
      0x50, 0x4B, 0x01, 0x02, 20, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 0, 1, 0,  //
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'a',                                                   //
      // End record at 81.
      0x50, 0x4B, 0x05, 0x06, 0, 0, 0, 0, 1, 0, 1, 0, 47, 0, 0, 0, 34, 0, 0, 0, 0, 0};
  le::storeU32(expected, 14, bitwiseCRC32(contents));
  le::storeU32(expected, 50, bitwiseCRC32(contents));
  EXPECT_EQ(archive.size(), 103u);
  EXPECT_EQ(archive, expected);
}

TEST(ZIPWriterTest, HeadersAgreeWithTheDirectoryAndTheReaderGetsEveryMemberBack) {
  std::mt19937 random(11);
  Bytes large(300000);
  for (auto& byte : large) byte = static_cast<std::uint8_t>(random());
  const Bytes small = {'h', 'i'};
  const std::string nonASCII = "xl/\xC3\xA9t\xC3\xA9.xml";  // "xl/été.xml": 8 characters, 10 bytes
  const Member members[] = {{"empty", {}}, {"xl/large.bin", large}, {nonASCII, small}, {"empty", small}};
  const Bytes archive = archiveOf(members);
  EXPECT_EQ(u32(archive, 30 + 5), 0x04034B50u);  // the empty member's header is followed by the next

  const std::size_t end = archive.size() - 22;
  ASSERT_EQ(u32(archive, end), 0x06054B50u);
  EXPECT_EQ(u16(archive, end + 10), std::size(members));
  std::size_t record = u32(archive, end + 16);
  EXPECT_EQ(u32(archive, end + 12), end - record);
  for (const Member& member : members) {
    ASSERT_EQ(u32(archive, record), 0x02014B50u);
    EXPECT_EQ(u16(archive, record + 28), member.name.size());
    EXPECT_EQ(u32(archive, record + 16), bitwiseCRC32(member.contents));
    EXPECT_EQ(u32(archive, record + 20), member.contents.size());
    const std::size_t local = u32(archive, record + 42);
    EXPECT_EQ(u32(archive, local + 14), u32(archive, record + 16));
    EXPECT_EQ(u32(archive, local + 22), member.contents.size());
    record += 46 + member.name.size();
  }
  EXPECT_EQ(record, end);

  const ZIPReader reader(archive);
  const auto directory = reader.readCentralDirectory();
  ASSERT_TRUE(directory.has_value());
  ASSERT_EQ(directory->size(), std::size(members));
  for (std::size_t i = 0; i < directory->size(); ++i) {
    EXPECT_EQ((*directory)[i].filename, members[i].name);
    EXPECT_EQ((*directory)[i].compressionMethod, 0);
    const auto contents = reader.extract((*directory)[i]);
    ASSERT_TRUE(contents.hasValue()) << i;
    EXPECT_EQ(*contents, Bytes(members[i].contents.begin(), members[i].contents.end())) << i;
  }
}

// Written piece by piece, across the sink's blocks, after bytes that are not
// part of the archive: the offsets count from the archive's start.
TEST(ZIPWriterTest, ProducedMembersEqualCopiedOnes) {
  std::mt19937 random(5);
  Bytes large(200000);
  for (auto& byte : large) byte = static_cast<std::uint8_t>(random());
  const std::string text = "<sst/>";
  const Member members[] = {{"a.xml", asBytes(text)}, {"b.bin", large}};
  MemorySink out;
  out.write(std::string_view("prefix"));
  ZIPWriter writer(out);
  writer.addMember("a.xml", asBytes(text));
  writer.addMember("b.bin", [&](ByteSink& part) {
    for (std::size_t i = 0; i < large.size(); i += 7) {
      part.write(ByteView(large).subspan(i, std::min<std::size_t>(7, large.size() - i)));
    }
  });
  std::move(writer).finish();
  Bytes expected = {'p', 'r', 'e', 'f', 'i', 'x'};
  const Bytes archive = archiveOf(members);
  expected.insert(expected.end(), archive.begin(), archive.end());
  EXPECT_EQ(std::move(out).bytes(), expected);
}

TEST(ZIPWriterTest, FieldBoundsAreRefusedNotWrapped) {
  const std::string longName(65536, 'n');
  MemorySink out;
  ZIPWriter named(out);
  EXPECT_THROW(named.addMember(longName, ByteView{}), std::length_error);

  ZIPWriter crowded(out);
  for (int i = 0; i < 65535; ++i) crowded.addMember("a", ByteView{});
  crowded.addMember("a", ByteView{});
  EXPECT_THROW(std::move(crowded).finish(), std::length_error);
}

}  // namespace
}  // namespace tamsel::zip
