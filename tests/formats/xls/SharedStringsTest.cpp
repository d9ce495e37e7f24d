// Record framing, the shared-string table across CONTINUE records, and the
// in-record string form.

#include <gtest/gtest.h>

#include "XLSTestBuilders.h"
#include "formats/xls/BIFFParser.h"
#include "formats/xls/SSTSegmentReader.h"

namespace tamsel {
namespace {

using namespace tamsel::testing;

constexpr std::uint16_t kSST = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;

Bytes sstHeader(std::uint32_t uniqueCount) {
  Bytes body;
  put32(body, uniqueCount);
  put32(body, uniqueCount);
  return body;
}

std::vector<std::string> table(const SharedStringTable& strings) {
  std::vector<std::string> out;
  for (std::uint32_t i = 0; i < strings.size(); ++i) out.emplace_back(*strings.at(i));
  return out;
}

SharedStringTable readTable(const BIFFBuilder& builder) {
  auto records = BIFFParser::readRecords(builder.bytes());
  return BIFFParser::readSharedStrings(records);
}

TEST(SharedStringsTest, RecordFraming) {
  EXPECT_TRUE(BIFFParser::readRecords({}).empty());
  EXPECT_TRUE(BIFFParser::readRecords(Bytes{1, 2, 3}).empty());

  BIFFBuilder builder;
  builder.record(0x0001, {}).record(0x0002, {7, 8});
  Bytes stream = builder.bytes();
  putBytes(stream, {0x03, 0x00, 0x05, 0x00, 1, 2});  // claims 5 body bytes, has 2
  auto records = BIFFParser::readRecords(stream);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].type, 0x0001);
  EXPECT_TRUE(records[0].data.empty());
  EXPECT_EQ(Bytes(records[1].data.begin(), records[1].data.end()), (Bytes{7, 8}));
  EXPECT_EQ(records[1].offset, 4u);
}

TEST(SharedStringsTest, CharactersContinueWithANewFlagsByte) {
  // Ten two-byte characters: three at the end of the SST body, seven in the
  // CONTINUE record, whose flags byte 0x00 makes them one byte each.
  Bytes sst = sstHeader(2);
  putBytes(sst, {10, 0, 0x01});
  for (char c : std::string("abc")) put16(sst, static_cast<std::uint16_t>(c));
  Bytes cont{0x00};
  putText(cont, "defg\xE9ij");
  Bytes next = compressedString("next");
  cont.insert(cont.end(), next.begin(), next.end());
  BIFFBuilder builder;
  builder.record(kSST, sst).record(kContinue, cont);
  EXPECT_EQ(table(readTable(builder)), (std::vector<std::string>{"abcdefg\u00E9ij", "next"}));
}

TEST(SharedStringsTest, BoundariesBetweenAndInsideStrings) {
  // "one" ends exactly at the end of the SST body: the next string's header
  // starts at the CONTINUE's first byte, with no flags byte taken. That
  // string's header ends the CONTINUE, so the next segment begins with a
  // new flags byte (0x01: two bytes per character) before its characters.
  Bytes sst = sstHeader(3);
  Bytes one = compressedString("one");
  sst.insert(sst.end(), one.begin(), one.end());
  Bytes first;
  putBytes(first, {2, 0, 0x00});
  Bytes second{0x01};
  put16(second, 'h');
  put16(second, 0x0416);  // Ж
  Bytes last = compressedString("z");
  second.insert(second.end(), last.begin(), last.end());
  BIFFBuilder builder;
  builder.record(kSST, sst).record(kContinue, first).record(kContinue, {}).record(kContinue, second);
  EXPECT_EQ(table(readTable(builder)), (std::vector<std::string>{"one", "h\u0416", "z"}));
}

TEST(SharedStringsTest, RichTextRunsAndPhoneticDataAreSkipped) {
  // A rich-text string whose two runs (8 bytes) begin in a CONTINUE record:
  // they are skipped without a flags byte, and the next string follows.
  Bytes sst = sstHeader(3);
  putBytes(sst, {2, 0, 0x08, 2, 0});
  putText(sst, "rt");
  Bytes cont(8, 0xAA);
  // A string with phonetic data (flags 0x04, 3 bytes of it).
  putBytes(cont, {1, 0, 0x04, 3, 0, 0, 0});
  putText(cont, "p");
  putBytes(cont, {0xBB, 0xBB, 0xBB});
  Bytes after = compressedString("after");
  cont.insert(cont.end(), after.begin(), after.end());
  BIFFBuilder builder;
  builder.record(kSST, sst).record(kContinue, cont);
  EXPECT_EQ(table(readTable(builder)), (std::vector<std::string>{"rt", "p", "after"}));
}

TEST(SharedStringsTest, CountsBeyondTheStoredStrings) {
  Bytes sst = sstHeader(5);
  for (const char* text : {"a", "b", "c"}) {
    Bytes s = compressedString(text);
    sst.insert(sst.end(), s.begin(), s.end());
  }
  BIFFBuilder builder;
  // A CONTINUE after another record is not part of the table.
  builder.record(kSST, sst).record(0x00FF, {0, 0}).record(kContinue, compressedString("d"));
  SharedStringTable strings = readTable(builder);
  EXPECT_EQ(table(strings), (std::vector<std::string>{"a", "b", "c", "", ""}));
  EXPECT_FALSE(strings.at(5).has_value());

  // A unique count of four billion costs only the strings present; so does a
  // phonetic size of four billion, which runs off the end.
  Bytes huge = sstHeader(0xFFFFFFFF);
  putBytes(huge, {1, 0, 0x04, 0xFF, 0xFF, 0xFF, 0xFF});
  putText(huge, "x");
  BIFFBuilder hostile;
  hostile.record(kSST, huge);
  SharedStringTable hugeTable = readTable(hostile);
  EXPECT_EQ(hugeTable.size(), 0xFFFFFFFFu);
  EXPECT_EQ(hugeTable.storedCount(), 1u);
  EXPECT_EQ(hugeTable.at(0), "x");
  EXPECT_EQ(hugeTable.at(0xFFFFFFFE), "");
}

TEST(SharedStringsTest, InRecordStrings) {
  Bytes body = cellHeader(0, 0);
  putBytes(body, {2, 0});
  EXPECT_FALSE(BIFFParser::readUnicodeString(body, 6).has_value());  // 8 bytes: no flags byte

  body = cellHeader(0, 0);
  putBytes(body, {3, 0, 0x00, 'c', 'a', 0xE9});
  EXPECT_EQ(BIFFParser::readUnicodeString(body, 6), "ca\u00E9");
  body.pop_back();
  EXPECT_FALSE(BIFFParser::readUnicodeString(body, 6).has_value());

  body = cellHeader(0, 0);
  putBytes(body, {2, 0, 0x09, 1, 0});  // two-byte characters with a run count
  put16(body, 0xD83D);                  // an unpaired surrogate
  put16(body, 'A');
  EXPECT_EQ(BIFFParser::readUnicodeString(body, 6), "\uFFFDA");
}

TEST(SharedStringsTest, RKValues) {
  EXPECT_EQ(BIFFParser::decodeRK(0x00000006), 1.0);
  EXPECT_EQ(BIFFParser::decodeRK(0x3FF00000), 1.0);
  EXPECT_EQ(BIFFParser::decodeRK(0x3FF00001), 0.01);
  EXPECT_EQ(BIFFParser::decodeRK(static_cast<std::uint32_t>(-5 * 4) | 0x02), -5.0);
  EXPECT_EQ(BIFFParser::decodeRK((12345u << 2) | 0x03), 123.45);
  EXPECT_EQ(BIFFParser::decodeRK(0x80000002), -536870912.0);
}

}  // namespace
}  // namespace tamsel
